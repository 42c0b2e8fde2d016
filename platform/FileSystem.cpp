#include "platform/FileSystem.h"

#include "platform/FolderListingCache.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string withoutTextLetter(std::string_view mode)
{
    std::string out;
    for (char c : mode) {
        if (c != 't')
            out += c;
    }
    return out;
}

// A new, empty file beside `target` that no one else uses; -1 when the folder refuses it.
int createPendingFile(const std::string& target, std::string& pendingPath)
{
    static std::atomic<unsigned> counter{0};
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        pendingPath = folder + "." + base + "." + std::to_string(::getpid()) + "-" +
                      std::to_string(counter.fetch_add(1)) + ".part";
        const int fd = ::open(pendingPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (replacing)
                ::fchmod(fd, existing.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST)
            break;
    }
    pendingPath.clear();
    return -1;
}

// Names the engine adds, renames or removes are seen at once by the next look-up, even
// where the folder's modification time cannot tell.
void noteFolderChanged(const std::string& path)
{
    FolderListingCache::shared().forget(parentFolder(path));
}

} // namespace

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string parentFolder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::optional<std::vector<std::string>> folderEntryNames(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder)
{
    const std::optional<std::vector<std::string>> names = folderEntryNames(folder);
    if (!names)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    for (const std::string& name : *names) {
        struct stat info {};
        if (::stat(joinPath(folder, name).c_str(), &info) != 0)
            continue;
        if (!S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode))
            continue;
        FolderEntry entry;
        entry.name = name;
        entry.isFolder = S_ISDIR(info.st_mode);
        entry.size = entry.isFolder ? 0 : static_cast<uint64_t>(info.st_size);
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool isFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool liesWithin(const std::string& path, const std::string& folder)
{
    // The names of the path, from the root, with its links followed and no empty name that
    // a closing "/" leaves.
    auto names = [](const std::string& given) -> std::optional<std::vector<std::string>> {
        std::error_code error;
        const std::filesystem::path real = std::filesystem::weakly_canonical(given, error);
        if (error || !real.is_absolute())
            return std::nullopt;
        std::vector<std::string> parts;
        for (const std::filesystem::path& part : real.relative_path())
            if (!part.empty())
                parts.push_back(part.string());
        return parts;
    };
    const auto where = names(path);
    const auto root = names(folder);
    // Compared name by name, so that "/app2" never counts as lying in "/app".
    return where && root && where->size() >= root->size() && std::equal(root->begin(), root->end(), where->begin());
}

std::string programFolder()
{
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size())
        return {};
    path.resize(static_cast<size_t>(length));
    return parentFolder(path);
}

bool exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool isReadableFile(const std::string& path)
{
    std::unique_ptr<FileStream> stream = FileStream::open(path, "rb");
    if (!stream)
        return false;
    stream->discard();
    return true;
}

bool createFolders(const std::string& path)
{
    if (path.empty() || isFolder(path))
        return !path.empty();
    const std::string parent = parentFolder(path);
    if (parent != path && !createFolders(parent))
        return false;
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
        return false;
    noteFolderChanged(path);
    return isFolder(path);
}

bool copyFile(const std::string& from, const std::string& to)
{
    std::unique_ptr<FileStream> source = FileStream::open(from, "rb");
    if (!source)
        return false;
    std::unique_ptr<FileStream> target = FileStream::openReplacing(to, "wb");
    if (!target)
        return false;
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, source->handle())) > 0) {
        if (std::fwrite(buffer, 1, count, target->handle()) != count) {
            target->discard();
            return false;
        }
    }
    if (std::ferror(source->handle())) {
        target->discard();
        return false;
    }
    return target->commit();
}

bool replaceFilesTogether(const std::vector<std::pair<std::string, std::string>>& files, std::string& cause)
{
    std::vector<std::string> pending;
    auto fail = [&pending, &cause](const std::string& target, int error) {
        cause = cannotWrite(target, whyNotWritten(target, error));
        for (const std::string& path : pending)
            ::unlink(path.c_str());
        return false;
    };
    for (const auto& [target, contents] : files) {
        // A folder in a target's place would refuse only its own replacement, after the
        // targets before it were replaced.
        if (isFolder(target))
            return fail(target, EISDIR);
        std::string pendingPath;
        const int fd = createPendingFile(target, pendingPath);
        if (fd < 0)
            return fail(target, errno);
        pending.push_back(pendingPath);
        FILE* file = ::fdopen(fd, "wb");
        if (file == nullptr) {
            const int error = errno;
            ::close(fd);
            return fail(target, error);
        }
        errno = 0;
        bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
        written = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0 && written;
        if (std::fclose(file) != 0 || !written)
            return fail(target, errno);
    }
    bool replaced = true;
    for (size_t i = 0; i < files.size(); ++i) {
        if (::rename(pending[i].c_str(), files[i].first.c_str()) != 0) {
            if (replaced)
                cause = cannotWrite(files[i].first, whyNotWritten(files[i].first, errno));
            ::unlink(pending[i].c_str());
            replaced = false;
        }
        noteFolderChanged(files[i].first);
    }
    return replaced;
}

std::string cannotWrite(const std::string& path, const std::string& why)
{
    return "cannot write \"" + path + "\": " + why;
}

std::string whyNotWritten(const std::string& path, int error)
{
    const std::string folder = parentFolder(path);
    if (error == ENOENT && !isFolder(folder))
        return "there is no folder \"" + folder + "\"";
    return error != 0 ? std::strerror(error) : "it was not written whole";
}

std::unique_ptr<FileStream> FileStream::open(const std::string& path, std::string_view mode)
{
    return open(path, mode, true);
}

std::unique_ptr<FileStream> FileStream::openReplacing(const std::string& path, std::string_view mode)
{
    return open(path, mode, false);
}

std::unique_ptr<FileStream> FileStream::open(const std::string& path, std::string_view mode, bool inPlace)
{
    if (path.empty())
        return nullptr;
    struct stat info {};
    const bool present = ::stat(path.c_str(), &info) == 0;
    if (present && !S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return nullptr;
    }
    const std::string cMode = withoutTextLetter(mode);
    FILE* file = nullptr;
    std::string pendingPath;
    struct stat link {};
    const bool isLink = ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
    if (!cMode.empty() && cMode[0] == 'w' && !isLink) {
        const int fd = createPendingFile(path, pendingPath);
        if (fd >= 0) {
            file = ::fdopen(fd, cMode.c_str());
            if (file == nullptr) {
                ::close(fd);
                ::unlink(pendingPath.c_str());
                return nullptr;
            }
        }
    }
    if (file == nullptr && (inPlace || isLink || cMode.empty() || cMode[0] != 'w'))
        file = std::fopen(path.c_str(), cMode.c_str());
    if (file == nullptr)
        return nullptr;
    if (cMode.empty() || cMode[0] != 'r')
        noteFolderChanged(path);
    return std::unique_ptr<FileStream>(new FileStream(file, path, std::move(pendingPath)));
}

FileStream::FileStream(FILE* file, std::string path, std::string pendingPath)
    : file_(file), path_(std::move(path)), pendingPath_(std::move(pendingPath))
{
}

FileStream::~FileStream()
{
    commit();
}

bool FileStream::commit()
{
    if (file_ == nullptr)
        return false;
    bool written = std::fflush(file_) == 0 && !std::ferror(file_);
    if (!pendingPath_.empty())
        written = ::fsync(::fileno(file_)) == 0 && written;
    written = std::fclose(file_) == 0 && written;
    file_ = nullptr;
    if (pendingPath_.empty())
        return written;
    const bool replaced = written && ::rename(pendingPath_.c_str(), path_.c_str()) == 0;
    if (!replaced)
        ::unlink(pendingPath_.c_str());
    pendingPath_.clear();
    noteFolderChanged(path_);
    return replaced;
}

void FileStream::discard()
{
    if (file_ == nullptr)
        return;
    std::fclose(file_);
    file_ = nullptr;
    if (!pendingPath_.empty()) {
        ::unlink(pendingPath_.c_str());
        pendingPath_.clear();
        noteFolderChanged(path_);
    }
}

} // namespace platform
