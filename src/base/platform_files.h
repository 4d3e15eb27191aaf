#pragma once
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "base/platform_error.h"

// The file system calls of landing outputs, behind one interface with a POSIX
// implementation (platform_files_posix.cpp) and a Windows one
// (platform_files_windows.cpp). Paths are UTF-8.

// What a path named as an output is, links followed.
struct OutputTarget {
    enum Kind {
        NewFile,       // nothing there yet: file is created
        ExistingFile,  // a regular file: file is replaced
        Stream,        // a device, a FIFO or a descriptor: written through
        Folder,        // refused
    };
    Kind kind = NewFile;
    // NewFile, ExistingFile: the file the output becomes, in the folder where
    // it lands. Stream: the path to open, when descriptor is -1.
    std::string file;
    int descriptor = -1;  // Stream: a descriptor of this process to write to ("-" is standard output)
    unsigned mode = 0;    // ExistingFile: its permissions
    bool readOnly = false;  // ExistingFile: marked read-only, or not writable by this process
};

// "-" is standard output; "/dev/stdout" and "/dev/fd/N" are the descriptors
// they name. A symbolic link is followed to the file it points at (which may
// not exist yet). Raises PlatformError for a path that cannot be looked at.
OutputTarget outputTargetOf(const std::string& path);

// The permissions a new file gets (what the process's umask leaves of 0666).
unsigned newFileMode();

// The permissions of the file at path when users other than its owner may
// read it; nothing when only its owner may, or the system does not say.
std::optional<unsigned> permissionsOpenToOthers(const std::string& path);

// The most files this process may hold open, and how many it holds now.
std::size_t openFileLimit();
std::size_t openFileCount();

// A file read and written at any offset: a scratch file for bytes too large
// for memory (no one else can open it, and nothing is left of it when it
// goes: unnamed where the file system allows, else removed at once on POSIX
// and deleted on close on Windows), or a file opened for reading.
class RandomAccessFile {
public:
    // In folder, or in the system's temporary folder when folder takes none
    // ("" is the temporary folder). Raises PlatformError when neither does.
    static RandomAccessFile scratch(const std::string& folder);
    // Raises PlatformError with the system's reason.
    static RandomAccessFile forReading(const std::string& path);

    RandomAccessFile() = default;
    RandomAccessFile(RandomAccessFile&& other) noexcept;
    RandomAccessFile& operator=(RandomAccessFile&& other) noexcept;
    RandomAccessFile(const RandomAccessFile&) = delete;
    RandomAccessFile& operator=(const RandomAccessFile&) = delete;
    ~RandomAccessFile();

    bool open() const { return handle_ != -1; }
    std::uint64_t size() const;
    // Writes every byte at the end.
    void append(const char* data, std::size_t size);
    // Copies up to size bytes from offset into buffer; fewer only at the end.
    std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t size) const;

private:
    std::intptr_t handle_ = -1;  // a descriptor, or a Windows file handle
};

// A file an output is written into before it lands: an unnamed file where the
// file system allows (given its name only when it lands, so that a crash
// leaves nothing), a hidden named one beside its target elsewhere. Discarded
// when the object goes unless it landed.
class StagedFile {
public:
    // For a file that lands in folder ("" is the current folder).
    static StagedFile inFolder(const std::string& folder);
    // For an output written through to a stream: among the temporary files.
    static StagedFile forStream();

    StagedFile() = default;
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile() { discard(); }

    bool isUnnamed() const { return open() && temporary_.empty(); }
    bool open() const { return handle_ != -1; }

    // A buffered stream of its own over the file; closing it leaves the
    // staged file open.
    std::FILE* openWriter();
    std::uint64_t size() const;
    // Starts writing the file's data to disk without waiting for it.
    void startWriteBack() noexcept;
    // Waits until the file's data is on disk; "" or the reason it is not.
    // May run on another thread than the one that staged the file.
    std::string flush() noexcept;
    // Gives the file its permissions and the name target (in the folder it was
    // staged for), replacing what was there in one step, and closes it.
    void land(const std::string& target, unsigned mode);
    // Writes the file's bytes to the stream target and closes it.
    void copyTo(const OutputTarget& target);
    // Closes and removes the file; nothing is left of it.
    void discard() noexcept;

private:
    std::intptr_t handle_ = -1;  // a descriptor, or a Windows file handle
    std::string temporary_;      // its name while named, "" while unnamed
    std::string folder_;
};
