#include <string>

namespace {

// Leading and trailing characters up to a blank (control characters too) are not part of a switch.
std::string trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && trimmed(argv[1]) == "/remove") return 0;
    return 0;
}
