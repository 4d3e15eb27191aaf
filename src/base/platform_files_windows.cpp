#ifdef _WIN32
#include "base/platform_files.h"

#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <utility>
#include <vector>
#include <windows.h>

#include "base/platform_text_windows.h"

// Windows has no unnamed files: a staged file is a hidden named one beside
// its target, removed when it does not land. Permissions are access control
// lists there; the modes of this interface only say read-only or not.

namespace {

[[noreturn]] void fail(DWORD error) { throw PlatformError(systemMessage(error)); }

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::string within(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return last == '\\' || last == '/' ? folder + name : folder + "\\" + name;
}

std::string randomName() {
    static thread_local std::mt19937 generator(std::random_device{}());
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = ".splimera-";
    for (int i = 0; i < 6; ++i) name += letters[generator() % (sizeof letters - 1)];
    return name;
}

// The final path of an open handle, links followed, without the "\\?\"
// prefix where the path does not need it.
std::string finalPathOf(HANDLE file) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    if (length >= path.size()) {
        path.resize(length + 1);
        length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    }
    if (length == 0) fail(GetLastError());
    path.resize(length);
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) path = L"\\\\" + path.substr(8);
    else if (path.compare(0, 4, L"\\\\?\\") == 0 && path.size() < MAX_PATH + 4) path.erase(0, 4);
    return utf8Text(path);
}

// 0, or the error that stopped the write.
DWORD writeAll(HANDLE into, const char* bytes, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        const DWORD part = size - done > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size - done);
        DWORD written = 0;
        if (!WriteFile(into, bytes + done, part, &written, nullptr)) return GetLastError();
        done += written;
    }
    return 0;
}

std::string systemTemporaryFolder() {
    std::wstring folder(MAX_PATH + 1, L'\0');
    const DWORD length = GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
    if (length == 0 || length > folder.size()) fail(GetLastError());
    folder.resize(length);
    return utf8Text(folder);
}

// A hidden file that goes when its handle closes; INVALID_HANDLE_VALUE with
// the error set when the folder takes none.
HANDLE privateFileIn(const std::string& folder) {
    for (int attempt = 0;; ++attempt) {
        HANDLE file = CreateFileW(wideText(within(folder, randomName())).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS || attempt == 100) return file;
    }
}

}  // namespace

RandomAccessFile RandomAccessFile::scratch(const std::string& folder) {
    HANDLE file = folder.empty() ? INVALID_HANDLE_VALUE : privateFileIn(folder);
    if (file == INVALID_HANDLE_VALUE) file = privateFileIn(systemTemporaryFolder());
    if (file == INVALID_HANDLE_VALUE) fail(GetLastError());
    RandomAccessFile scratch;
    scratch.handle_ = reinterpret_cast<std::intptr_t>(file);
    return scratch;
}

RandomAccessFile RandomAccessFile::forReading(const std::string& path) {
    HANDLE file = CreateFileW(wideText(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail(GetLastError());
    RandomAccessFile opened;
    opened.handle_ = reinterpret_cast<std::intptr_t>(file);
    return opened;
}

RandomAccessFile::RandomAccessFile(RandomAccessFile&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

RandomAccessFile& RandomAccessFile::operator=(RandomAccessFile&& other) noexcept {
    if (this != &other) {
        if (handle_ != -1) CloseHandle(handleOf(handle_));
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

RandomAccessFile::~RandomAccessFile() {
    if (handle_ != -1) CloseHandle(handleOf(handle_));
}

std::uint64_t RandomAccessFile::size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handleOf(handle_), &size)) fail(GetLastError());
    return static_cast<std::uint64_t>(size.QuadPart);
}

void RandomAccessFile::append(const char* data, std::size_t size) {
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(handleOf(handle_), end, nullptr, FILE_END)) fail(GetLastError());
    if (const DWORD error = writeAll(handleOf(handle_), data, size)) fail(error);
}

std::size_t RandomAccessFile::readAt(std::uint64_t offset, char* buffer, std::size_t size) const {
    std::size_t done = 0;
    while (done < size) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>((offset + done) & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        const DWORD part = size - done > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size - done);
        DWORD got = 0;
        if (!ReadFile(handleOf(handle_), buffer + done, part, &got, &at)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF) break;
            fail(error);
        }
        if (got == 0) break;
        done += got;
    }
    return done;
}

OutputTarget outputTargetOf(const std::string& path) {
    OutputTarget target;
    if (path == "-") {
        target.kind = OutputTarget::Stream;
        target.descriptor = 1;
        return target;
    }
    target.file = path;
    // Opened for nothing but a look, links followed, folders too.
    HANDLE file = CreateFileW(wideText(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) fail(error);
        return target;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        target.kind = OutputTarget::Stream;  // a device such as NUL or a pipe
        return target;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information);
    const DWORD error = GetLastError();
    std::string finalPath;
    try {
        finalPath = finalPathOf(file);
    } catch (...) {
        CloseHandle(file);
        throw;
    }
    CloseHandle(file);
    if (!known) fail(error);
    target.file = finalPath;
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        target.kind = OutputTarget::Folder;
        return target;
    }
    target.kind = OutputTarget::ExistingFile;
    target.readOnly = (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    target.mode = target.readOnly ? 0444u : 0666u;
    return target;
}

unsigned newFileMode() { return 0666u; }

// Who may read a file is its access control list's matter, which this
// interface does not judge.
std::optional<unsigned> permissionsOpenToOthers(const std::string&) { return std::nullopt; }

std::size_t openFileLimit() { return static_cast<std::size_t>(_getmaxstdio()); }

// The system keeps no count of a process's files apart from its other
// handles: a guess.
std::size_t openFileCount() { return 16; }

StagedFile StagedFile::inFolder(const std::string& folder) {
    StagedFile staged;
    staged.folder_ = folder;
    for (int attempt = 0;; ++attempt) {
        const std::string name = within(folder, randomName());
        HANDLE file = CreateFileW(wideText(name).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            staged.handle_ = reinterpret_cast<std::intptr_t>(file);
            staged.temporary_ = name;
            return staged;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS || attempt == 100) fail(error);
    }
}

StagedFile StagedFile::forStream() { return inFolder(systemTemporaryFolder()); }

std::FILE* StagedFile::openWriter() {
    HANDLE handed = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), handleOf(handle_), GetCurrentProcess(), &handed, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        fail(GetLastError());
    const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handed), _O_BINARY | _O_WRONLY);
    if (descriptor < 0) {
        CloseHandle(handed);
        fail(ERROR_TOO_MANY_OPEN_FILES);
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (!file) {
        _close(descriptor);
        fail(ERROR_TOO_MANY_OPEN_FILES);
    }
    std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
    return file;
}

std::uint64_t StagedFile::size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handleOf(handle_), &size)) fail(GetLastError());
    return static_cast<std::uint64_t>(size.QuadPart);
}

void StagedFile::startWriteBack() noexcept {}

std::string StagedFile::flush() noexcept {
    if (FlushFileBuffers(handleOf(handle_))) return "";
    try {
        return systemMessage(GetLastError());
    } catch (...) {
        return "the file could not be flushed";
    }
}

void StagedFile::land(const std::string& target, unsigned mode) {
    CloseHandle(handleOf(std::exchange(handle_, -1)));
    const std::wstring staged = wideText(temporary_);
    const std::wstring final = wideText(target);
    SetFileAttributesW(staged.c_str(), (mode & 0222u) == 0 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExW(staged.c_str(), final.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        SetFileAttributesW(staged.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(staged.c_str());
        temporary_.clear();
        fail(error);
    }
    temporary_.clear();
}

void StagedFile::copyTo(const OutputTarget& target) {
    HANDLE into = target.descriptor >= 0 ? reinterpret_cast<HANDLE>(_get_osfhandle(target.descriptor))
                                         : CreateFileW(wideText(target.file).c_str(), GENERIC_WRITE,
                                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                       nullptr);
    if (into == INVALID_HANDLE_VALUE) fail(GetLastError());
    DWORD error = 0;
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(handleOf(handle_), start, nullptr, FILE_BEGIN)) error = GetLastError();
    std::vector<char> block(1 << 16);
    while (error == 0) {
        DWORD count = 0;
        if (!ReadFile(handleOf(handle_), block.data(), static_cast<DWORD>(block.size()), &count, nullptr)) {
            error = GetLastError();
            break;
        }
        if (count == 0) break;
        error = writeAll(into, block.data(), count);
    }
    if (target.descriptor < 0) CloseHandle(into);
    discard();
    if (error) fail(error);
}

void StagedFile::discard() noexcept {
    if (handle_ != -1) CloseHandle(handleOf(std::exchange(handle_, -1)));
    if (!temporary_.empty()) DeleteFileW(wideText(temporary_).c_str());
    temporary_.clear();
}
#endif
