#include "platform/PathResolver.h"

#include "platform/Charset.h"
#include "platform/FileSystem.h"
#include "platform/FolderListingCache.h"

#include <mutex>
#include <optional>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool startsWithDrive(std::string_view name)
{
    return name.size() >= 2 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

std::vector<std::string_view> components(std::string_view name)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || isSeparator(name[i])) {
            if (i > start)
                parts.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// The disk's name for one component inside `folder`.
std::string diskComponent(const std::string& folder, std::string_view component)
{
    const std::string asUtf8 = cp1250ToUtf8(component);
    if (exists(joinPath(folder, asUtf8)))
        return asUtf8;
    const std::string raw(component);
    if (raw != asUtf8 && exists(joinPath(folder, raw)))
        return raw;
    return FolderListingCache::shared().find(folder, component).value_or(asUtf8);
}

// The current folder in two forms: as the engine spelled it (the tree mapping of data paths
// looks for "Dane" in it, whatever case the disk gave the folder) and as a disk path.
struct CurrentFolder {
    std::mutex lock;
    std::string name;
    std::string path;

    CurrentFolder()
    {
        std::vector<char> buffer(4096);
        path = ::getcwd(buffer.data(), buffer.size()) != nullptr ? std::string(buffer.data()) : std::string("/");
        name = toWindowsName(path);
    }
};

CurrentFolder& current()
{
    static CurrentFolder folder;
    return folder;
}

// An absolute name in the engine's form, with "." and ".." folded away and no drive.
std::string absoluteName(std::string_view name, const std::string& base)
{
    std::vector<std::string_view> parts;
    const std::string joined = isAbsoluteName(name) ? std::string(name) : base + "\\" + std::string(name);
    std::string_view rest = joined;
    if (startsWithDrive(rest))
        rest.remove_prefix(2);
    for (std::string_view component : components(rest)) {
        if (component == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (component != ".") {
            parts.push_back(component);
        }
    }
    std::string out;
    for (std::string_view part : parts) {
        out += '\\';
        out += part;
    }
    return out.empty() ? std::string("\\") : out;
}

} // namespace

bool isAbsoluteName(std::string_view name)
{
    return (!name.empty() && isSeparator(name[0])) || startsWithDrive(name);
}

std::string resolvePath(std::string_view name)
{
    std::string path = isAbsoluteName(name) ? std::string("/") : currentFolder();
    if (startsWithDrive(name))
        name.remove_prefix(2);
    for (std::string_view component : components(name)) {
        if (component == ".")
            continue;
        if (component == "..") {
            path = parentFolder(path);
            continue;
        }
        path = joinPath(path, diskComponent(path, component));
    }
    return path;
}

std::string toWindowsName(std::string_view diskPath)
{
    std::string out;
    if (!diskPath.empty() && diskPath[0] == '/')
        out += '\\';
    for (std::string_view component : components(diskPath)) {
        if (!out.empty() && out.back() != '\\')
            out += '\\';
        out += engineNameOfDiskName(component);
    }
    return out;
}

std::string currentFolder()
{
    CurrentFolder& folder = current();
    std::lock_guard<std::mutex> guard(folder.lock);
    return folder.path;
}

std::string currentFolderName()
{
    CurrentFolder& folder = current();
    std::lock_guard<std::mutex> guard(folder.lock);
    return folder.name;
}

bool changeFolder(std::string_view name)
{
    const std::string target = absoluteName(name, currentFolderName());
    const std::string path = resolvePath(target);
    if (!isFolder(path))
        return false;
    CurrentFolder& folder = current();
    std::lock_guard<std::mutex> guard(folder.lock);
    folder.name = target;
    folder.path = path;
    return true;
}

} // namespace platform
