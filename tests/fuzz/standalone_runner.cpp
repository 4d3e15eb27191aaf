// Runs a fuzz target without libFuzzer: feeds it each file named on the
// command line, and each file inside each folder named, once. This makes a
// target's seeds an ordinary test in any build. A target reports a fault by
// aborting (or through a sanitizer), so the name of each input is printed
// before it runs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

// The files inside a folder, in name order; a path that is no folder stands for itself.
std::vector<fs::path> inputsAt(const fs::path& path) {
    if (!fs::is_directory(path)) return {path};
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Exactly as many bytes as the file holds, so that the address sanitizer
// catches a read past the end as it does under libFuzzer.
std::vector<std::uint8_t> contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) throw std::runtime_error(file.string() + ": cannot be opened");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error(file.string() + ": cannot be read");
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "Usage: " << argv[0] << " FILE_OR_FOLDER...\n";
        return 2;
    }
    try {
        std::size_t runs = 0;
        for (int i = 1; i < argc; ++i) {
            const std::vector<fs::path> inputs = inputsAt(argv[i]);
            if (inputs.empty()) throw std::runtime_error(std::string(argv[i]) + ": holds no input");
            for (const fs::path& input : inputs) {
                std::cout << input.string() << std::endl;
                const std::vector<std::uint8_t> bytes = contentsOf(input);
                // Like libFuzzer, an empty input still comes with a valid pointer.
                static const std::uint8_t none = 0;
                LLVMFuzzerTestOneInput(bytes.empty() ? &none : bytes.data(), bytes.size());
                ++runs;
            }
        }
        std::cout << runs << " inputs ran without a fault\n";
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
