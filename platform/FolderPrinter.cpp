#include "platform/FolderPrinter.h"

#include "platform/FileSystem.h"
#include "platform/PngWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

constexpr std::string_view kPrefix = "page-";
constexpr std::string_view kSuffix = ".png";

// The number of a page file's name; 0 for any other name.
long pageNumber(std::string_view name)
{
    if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) || !name.ends_with(kSuffix))
        return 0;
    const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.size() > 9)
        return 0;
    long number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

} // namespace

std::unique_ptr<FolderPrinter> FolderPrinter::open(const std::string& folder, std::string& cause)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!isFolder(folder)) {
        cause = "cannot print into \"" + folder + "\": " + (error ? error.message() : std::string("not a folder"));
        return nullptr;
    }
    return std::unique_ptr<FolderPrinter>(new FolderPrinter(folder));
}

std::string FolderPrinter::nextPageName() const
{
    const std::optional<std::vector<std::string>> names = folderEntryNames(folder_);
    if (!names)
        return {};
    long highest = 0;
    for (const std::string& name : *names)
        highest = std::max(highest, pageNumber(name));
    char name[32];
    std::snprintf(name, sizeof name, "page-%04ld.png", highest + 1);
    return name;
}

bool FolderPrinter::printPage(const std::string&, const RgbImage& page, std::string& cause)
{
    const std::string name = nextPageName();
    if (name.empty()) {
        cause = "cannot list \"" + folder_ + "\": " + std::strerror(errno);
        return false;
    }
    return writePngFile(joinPath(folder_, name), page, kLetterLandscape.dotsPerInch, cause);
}

} // namespace platform
