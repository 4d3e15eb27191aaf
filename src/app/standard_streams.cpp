#include "app/standard_streams.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "app/job_command_arguments.h"

namespace {

namespace fs = std::filesystem;

// A folder only this user can read, removed with everything in it when the
// program ends.
class PrivateFolder {
public:
    PrivateFolder() {
        std::mt19937 generator(std::random_device{}());
        const fs::path temporaries = fs::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path candidate = temporaries / ("splimera-" + std::to_string(generator()));
            if (fs::create_directory(candidate)) path_ = candidate;
        }
        if (path_.empty()) throw std::runtime_error("Cannot make a folder among the temporary files: " + temporaries.string());
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::replace);
    }
    ~PrivateFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

constexpr const char* CopyName = "stdin.pdf";

std::string& copyFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

std::string standardInputCopy(std::istream& in) {
    static PrivateFolder folder;
    const std::string path = (folder.path() / CopyName).string();
    if (!copyFolder().empty()) return path;
    std::ofstream copy(path, std::ios::binary);
    char block[1 << 16];
    while (copy) {
        in.read(block, sizeof block);
        if (in.gcount() <= 0) break;
        copy.write(block, in.gcount());
    }
    if (!copy || in.bad()) throw std::runtime_error("Cannot keep what standard input holds in " + path);
    copyFolder() = (folder.path() / "").string();
    return path;
}

std::string defaultOutputFolder(const std::string& inputFolder) {
    return !copyFolder().empty() && inputFolder == copyFolder() ? "" : inputFolder;
}

void checkStandardInputUse(const std::vector<std::string>& inputs, const std::vector<std::string>& passwordFiles) {
    const auto readers = std::count(inputs.begin(), inputs.end(), "-");
    if (readers > 1) throw UsageError("Standard input can be read once: give \"-\" as one input only");
    if (readers == 1 && std::count(passwordFiles.begin(), passwordFiles.end(), "-") > 0)
        throw UsageError("Standard input can be read once: it is an input, so no password file can be \"-\"");
}
