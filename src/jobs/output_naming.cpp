#include "jobs/output_naming.h"

#include <cctype>

int digitCount(int pageCount) {
    int digits = 1;
    for (long long limit = 10; pageCount >= limit; limit *= 10) ++digits;
    return digits;
}

std::string numberedOutputName(const std::string& folder, const std::string& base, int number, int pageCount) {
    std::string digits = std::to_string(number);
    const int width = digitCount(pageCount);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    return folder + base + digits + ".pdf";
}

std::string baseNameFor(const std::string& fileName) {
    std::string lower = fileName;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // Occurrences are found in the original text from left to right, then removed.
    std::string result;
    std::size_t i = 0;
    while (i < fileName.size()) {
        if (lower.compare(i, 4, ".pdf") == 0) {
            i += 4;
        } else {
            result += fileName[i++];
        }
    }
    return result + "_";
}

OutputPlace defaultOutputPlace(const InputFile& input) { return {baseNameFor(input.fileName), input.folder}; }

int progressPercent(long long part, long long whole) {
    if (whole == 0) return 0;
    const long long scaled = part * 100;
    long long quotient = scaled / whole;
    const long long remainder = scaled % whole;
    if (remainder * 2 > whole || (remainder * 2 == whole && quotient % 2 != 0)) ++quotient;
    return static_cast<int>(quotient);
}
