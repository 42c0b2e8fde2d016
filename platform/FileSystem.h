#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Disk access by disk path (UTF-8, '/'-separated). Windows-style names from the data
// become disk paths through platform/PathResolver.h first.
namespace platform {

struct FolderEntry {
    std::string name; // as on disk (UTF-8)
    bool isFolder = false;
    uint64_t size = 0;
};

// The disk path of a name inside a folder.
std::string joinPath(const std::string& folder, const std::string& name);
// The folder a path lies in: "/" for what lies in the root, "." for a bare name.
std::string parentFolder(const std::string& path);

// The names in a folder, without "." and "..", in byte order. Null when the path is no
// readable folder.
std::optional<std::vector<std::string>> folderEntryNames(const std::string& folder);

// The files and folders in a folder in byte order of their names, without "." and "..";
// links count as what they point to, and devices, pipes, sockets and broken links are left
// out (no data lives there, and opening a pipe would wait forever). Null when the path is
// no readable folder.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder);

bool isFolder(const std::string& path);
// Whether the path is the folder or lies somewhere under it, both taken with their links
// followed as far as they exist on disk (a link inside the folder may lead out of it).
bool liesWithin(const std::string& path, const std::string& folder);
// The folder of the running program's file; "" where the system does not say.
std::string programFolder();
bool exists(const std::string& path);
// True when the path opens for reading as a file (folders never do).
bool isReadableFile(const std::string& path);

// Creates the folder and every missing folder above it; true when the folder exists afterwards.
bool createFolders(const std::string& path);

// Copies a file, replacing the target only once the whole copy is on disk. False, with the
// target as it was, where that cannot be done (a folder that refuses new files included).
bool copyFile(const std::string& from, const std::string& to);

// Files that belong together: each (disk path, contents) is written beside its target, and
// the targets are replaced only once every one was written whole. False, and every target as
// it was, when one cannot be written; a replacement that fails after others succeeded leaves
// those in place and still gives false. On failure the cause names the first file that could
// not be written, and why.
bool replaceFilesTogether(const std::vector<std::pair<std::string, std::string>>& files, std::string& cause);

// The cause of a write that failed, for a message: "cannot write "<path>": <why>".
std::string cannotWrite(const std::string& path, const std::string& why);
// Why the file could not be written, given the error of the failed call: a folder that is
// missing is named as such, anything else gets the system's text.
std::string whyNotWritten(const std::string& path, int error);

// An open C runtime stream on a disk file.
// A mode that empties the file ("w...") writes to a fresh file beside the target, which
// replaces the target only when it is committed complete; a write that fails halfway
// therefore never leaves a damaged file in place of a good one. Where the folder refuses
// new files, and through a link, the target is written in place, as the original system did.
class FileStream {
public:
    // Null when the file cannot be opened; only plain files open (never a folder, a device
    // or a pipe). Text-mode letters are dropped: line ends are the readers' business.
    static std::unique_ptr<FileStream> open(const std::string& path, std::string_view mode);
    // A write ("w...") that replaces the target only when committed, or null; never in place,
    // except through a link.
    static std::unique_ptr<FileStream> openReplacing(const std::string& path, std::string_view mode);

    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;
    // Commits.
    ~FileStream();

    FILE* handle() const { return file_; }
    const std::string& path() const { return path_; }

    // Closes the stream; true when everything written reached the disk under the target's name.
    bool commit();
    // Closes the stream and drops what was written; a replaced target stays as it was.
    void discard();

private:
    FileStream(FILE* file, std::string path, std::string pendingPath);
    static std::unique_ptr<FileStream> open(const std::string& path, std::string_view mode, bool inPlace);

    FILE* file_;
    std::string path_;
    std::string pendingPath_; // the fresh file while a replacing write is open
};

} // namespace platform
