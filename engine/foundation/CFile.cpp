#include "foundation/CFile.h"

#include "foundation/CBigFile.h"
#include "foundation/CFileSandbox.h"
#include "foundation/CFolder.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CPath.h"
#include "foundation/FoundationWindow.h"
#include "platform/FileSystem.h"
#include "platform/PathResolver.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <vector>

namespace {

constexpr int kLineLimit = 10240;

std::unique_ptr<CBigFile>& bigFileSlot()
{
    static std::unique_ptr<CBigFile> bigFile;
    return bigFile;
}

// The running folder searches on disk, by handle. A search ends when findNext reports
// the end; searches that are never finished are dropped, oldest first, past a limit.
struct DiskSearch {
    std::vector<_finddata_t> matches;
    size_t next = 0;
};

constexpr size_t kOpenSearchLimit = 64;

struct DiskSearches {
    std::map<int, DiskSearch> running;
    int lastHandle = 0;
};

DiskSearches& diskSearches()
{
    static DiskSearches searches;
    return searches;
}

CXString diskFolder()
{
    return platform::currentFolderName().c_str();
}

// The archive's current folder while one is open, else the disk's; no backslash added.
CXString currentFolder()
{
    return bigFileSlot() ? bigFileSlot()->GetCurrentDirectoryA() : diskFolder();
}

// The full path of a data name: names that are not absolute lie in the current folder.
CXString fullPath(FoundationWindow* window, const CXString& name)
{
    const CXString resolved = CPath::resolveFileName(window, name);
    if (platform::isAbsoluteName(resolved.c_str()))
        return resolved;
    return diskFolder() + "\\" + resolved;
}

CXString mapIntoTree(const CXString& path, const CXString& root)
{
    int at = path.indexOf(CFolder::DATA_FOLDER, 0);
    if (at < 0)
        at = path.indexOf(CFolder::COMMON_FOLDER, 0);
    if (at >= 0)
        return root + path.Right(at);
    CXString upper = path;
    upper.Upper();
    at = upper.indexOf(CFolder::WAVS_FOLDER, 0);
    if (at >= 0)
        return root + upper.Right(at);
    return path;
}

// The paths tried, in order, when a data file is opened.
std::vector<CXString> openingCandidates(const CLanguageOSVer* language, const CXString& path)
{
    if (language == nullptr)
        return {CFile::getLocalPath(path), path};
    if (CFile::isHdd(path)) {
        const CXString onDisc = CFile::getCDPath(path);
        return {language->getLocalFileName(path), path, language->getLocalFileName(onDisc), onDisc};
    }
    const CXString local = CFile::getLocalPath(path);
    return {language->getLocalFileName(local), local, language->getLocalFileName(path), path};
}

// Tries the candidates in order until the attempt takes one (its text and its disk path);
// candidates where confined code may not go are passed over, and a name that found nothing
// because of them is reported.
template <typename Attempt>
bool tryCandidates(const CXString& name, const std::vector<CXString>& candidates, Attempt attempt)
{
    bool refused = false;
    for (const CXString& candidate : candidates) {
        const std::string diskPath = platform::resolvePath(candidate.c_str());
        if (!CFileSandbox::admits(diskPath))
            refused = true;
        else if (attempt(candidate, diskPath))
            return true;
    }
    if (refused)
        CFileSandbox::refuse(name);
    return false;
}

CLanguageOSVer* languageOf(FoundationWindow* window)
{
    return window != nullptr ? window->getLangIfc() : nullptr;
}

void fillRecord(_finddata_t* record, const CXString& name, bool isFolder, uint64_t size)
{
    record->attrib = isFolder ? _A_SUBDIR : 0;
    record->size = static_cast<uint32_t>(std::min<uint64_t>(size, UINT32_MAX));
    std::snprintf(record->name, sizeof record->name, "%s", name.c_str());
}

// Listing order of a folder: "." and ".." first, then by name ignoring case.
bool listedBefore(const _finddata_t& a, const _finddata_t& b)
{
    const bool aDots = std::strcmp(a.name, ".") == 0 || std::strcmp(a.name, "..") == 0;
    const bool bDots = std::strcmp(b.name, ".") == 0 || std::strcmp(b.name, "..") == 0;
    if (aDots != bDots)
        return aDots;
    CXString upperA(a.name);
    CXString upperB(b.name);
    upperA.Upper();
    upperB.Upper();
    const int order = std::strcmp(upperA.c_str(), upperB.c_str());
    return order != 0 ? order < 0 : std::strcmp(a.name, b.name) < 0;
}

// The entries of the pattern's folder that fit the pattern's last component.
std::vector<_finddata_t> diskMatches(const CXString& pattern)
{
    std::vector<_finddata_t> matches;
    const int separator = CPath::findLastSeparator(pattern);
    const CXString filter = separator < 0 ? pattern : pattern.Right(separator + 1);
    const std::string folder = separator < 0 ? platform::currentFolder()
                                             : platform::resolvePath(pattern.Left(separator + 1).c_str());
    const auto entries = CFileSandbox::permits(pattern, folder) ? platform::listFolder(folder) : std::nullopt;
    if (!entries)
        return matches;
    auto consider = [&](const CXString& name, bool isFolder, uint64_t size) {
        if (!name.FilterFits(filter))
            return;
        _finddata_t record;
        fillRecord(&record, name, isFolder, size);
        matches.push_back(record);
    };
    if (folder != "/") {
        consider(".", true, 0);
        consider("..", true, 0);
    }
    for (const platform::FolderEntry& entry : *entries)
        consider(platform::toWindowsName(entry.name).c_str(), entry.isFolder, entry.size);
    std::stable_sort(matches.begin(), matches.end(), listedBefore);
    return matches;
}

} // namespace

CFile::CFile() = default;

CFile::CFile(FoundationWindow* window, const CXString& name, int mode)
    : window_(window)
{
    Open(window, name, mode);
}

CFile::~CFile()
{
    Close();
}

int CFile::Length()
{
    if (!stream_)
        return -1;
    FILE* file = stream_->handle();
    const long position = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    std::fseek(file, 0, SEEK_END);
    const long length = std::ftell(file);
    std::fseek(file, position, SEEK_SET);
    return static_cast<int>(std::min<long>(length, INT_MAX));
}

int CFile::Tell()
{
    if (!stream_)
        return 0;
    return static_cast<int>(std::min<long>(std::ftell(stream_->handle()), INT_MAX));
}

FILE* CFile::GetHandle()
{
    return stream_ ? stream_->handle() : nullptr;
}

int CFile::Seek(int offset, int origin)
{
    if (!stream_)
        return -1;
    return std::fseek(stream_->handle(), offset, origin);
}

int CFile::Open(FoundationWindow* window, const CXString& name, int mode)
{
    Close();
    window_ = window;
    mode_ = mode;
    path_ = fullPath(window, name);
    const CXString text = modeText(mode);
    const auto open = [&](const CXString&, const std::string& diskPath) {
        stream_ = platform::FileStream::open(diskPath, text.c_str());
        return stream_ != nullptr;
    };
    tryCandidates(name, openingCandidates(languageOf(window), path_), open);
    setErrorCode(stream_ ? 0 : ERROR_OPEN);
    return LastError();
}

int CFile::Read(void* buffer, int n)
{
    if (n < 1 || !stream_)
        return 0;
    return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(n), stream_->handle()));
}

int CFile::Write(const void* buffer, int n)
{
    if (n < 1 || !stream_)
        return 0;
    return std::fwrite(buffer, static_cast<size_t>(n), 1, stream_->handle()) == 1 ? 1 : 0;
}

int CFile::Close()
{
    if (stream_) {
        const bool writes = (mode_ & MODE_READ) == 0 || (mode_ & MODE_UPDATE) != 0;
        if (!stream_->commit() && writes)
            setErrorCode(ERROR_OPEN);
        stream_.reset();
    }
    return LastError();
}

void CFile::GetLine(char* buffer, int size)
{
    if (!stream_ || size < 1)
        return;
    if (std::fgets(buffer, size, stream_->handle()) == nullptr) {
        buffer[0] = '\0';
        return;
    }
    dropCarriageReturn(buffer);
}

CXString CFile::getLine()
{
    if (!stream_)
        return "";
    char line[kLineLimit];
    GetLine(line, kLineLimit);
    return line;
}

void CFile::putLine(const CXString& line)
{
    if (stream_ && line.IsString())
        std::fwrite(line.c_str(), 1, static_cast<size_t>(line.GetLength()), stream_->handle());
}

bool CFile::eof()
{
    return !stream_ || std::feof(stream_->handle()) != 0;
}

void CFile::discard()
{
    if (stream_) {
        stream_->discard();
        stream_.reset();
    }
}

bool CFile::isTextMode() const
{
    return (mode_ & MODE_TEXT) != 0 || (mode_ & MODE_BINARY) == 0;
}

void CFile::dropCarriageReturn(char* line)
{
    if (!isTextMode())
        return;
    const size_t length = std::strlen(line);
    if (length >= 2 && line[length - 2] == '\r' && line[length - 1] == '\n') {
        line[length - 2] = '\n';
        line[length - 1] = '\0';
    } else if (length >= 1 && line[length - 1] == '\r') {
        const int next = std::fgetc(stream_->handle());
        if (next == '\n')
            line[length - 1] = '\n';
        else if (next != EOF)
            std::ungetc(next, stream_->handle());
    }
}

CXString CFile::modeText(int mode)
{
    CXString text = (mode & MODE_READ) != 0 ? "r" : "w";
    if ((mode & MODE_UPDATE) != 0)
        text += '+';
    if ((mode & MODE_TEXT) != 0)
        text += 't';
    else if ((mode & MODE_BINARY) != 0)
        text += 'b';
    return text;
}

CXString CFile::getLocalPath(const CXString& path)
{
    return mapIntoTree(path, FoundationWindow::rootPath);
}

CXString CFile::getCDPath(const CXString& path)
{
    return mapIntoTree(path, FoundationWindow::getCDPath());
}

bool CFile::isHdd(const CXString& path)
{
    return path.IsString();
}

CXString CFile::getCurrentDirectory()
{
    CXString folder = currentFolder();
    if (folder.lastChar() != '\\')
        folder += '\\';
    return folder;
}

void CFile::getCurrentDirectory(int size, char* buffer)
{
    if (size < 1)
        return;
    std::snprintf(buffer, static_cast<size_t>(size), "%s", currentFolder().c_str());
}

CXString CFile::getPath(FoundationWindow* window, const CXString& name)
{
    const CXString path = fullPath(window, name);
    const CXString local = getLocalPath(path);
    std::vector<CXString> candidates;
    if (const CLanguageOSVer* language = languageOf(window)) {
        candidates.push_back(language->getLocalFileName(local));
        candidates.push_back(language->getLocalFileName(path));
    }
    candidates.push_back(local);
    candidates.push_back(path);
    CXString found;
    tryCandidates(name, candidates, [&found](const CXString& candidate, const std::string& diskPath) {
        if (!platform::isReadableFile(diskPath))
            return false;
        found = candidate;
        return true;
    });
    return found;
}

void CFile::openBigFile(const CXString& name)
{
    auto archive = std::make_unique<CBigFile>(name, false, "");
    bigFileSlot() = archive->LastError() == 0 ? std::move(archive) : nullptr;
}

void CFile::closeBigFile()
{
    bigFileSlot().reset();
}

CBigFile* CFile::getBigFileIfc()
{
    return bigFileSlot().get();
}

CFile* CFile::getBigFileHandle()
{
    return bigFileSlot() ? bigFileSlot()->GetFile() : nullptr;
}

int CFile::chDir(const CXString& folder)
{
    if (bigFileSlot())
        return bigFileSlot()->ChDir(folder);
    return platform::changeFolder(folder.c_str()) ? 0 : -1;
}

int CFile::findFirst(const CXString& pattern, _finddata_t* record)
{
    if (bigFileSlot())
        return bigFileSlot()->FindFirst(pattern, record);
    std::vector<_finddata_t> matches = diskMatches(pattern);
    // Asked for a folder, the search skips what comes before the first one; later matches
    // are of any kind.
    size_t first = 0;
    if ((record->attrib & _A_SUBDIR) != 0) {
        while (first < matches.size() && (matches[first].attrib & _A_SUBDIR) == 0)
            ++first;
    }
    if (first >= matches.size())
        return -1;
    *record = matches[first];
    DiskSearches& searches = diskSearches();
    if (searches.running.size() >= kOpenSearchLimit)
        searches.running.erase(searches.running.begin());
    searches.lastHandle = searches.lastHandle == INT_MAX ? 1 : searches.lastHandle + 1;
    searches.running[searches.lastHandle] = DiskSearch{std::move(matches), first + 1};
    return searches.lastHandle;
}

int CFile::findNext(int handle, _finddata_t* record)
{
    if (bigFileSlot())
        return bigFileSlot()->FindNext(handle, record);
    DiskSearches& searches = diskSearches();
    const auto found = searches.running.find(handle);
    if (found == searches.running.end())
        return -1;
    DiskSearch& search = found->second;
    if (search.next >= search.matches.size()) {
        searches.running.erase(found);
        return -1;
    }
    *record = search.matches[search.next++];
    return 0;
}

bool CFile::fileExists(const CXString& path)
{
    if (bigFileSlot())
        return bigFileSlot()->FileExists(path);
    const std::string diskPath = platform::resolvePath(path.c_str());
    return CFileSandbox::permits(path, diskPath) && platform::isReadableFile(diskPath);
}

bool CFile::dirExists(const CXString& path)
{
    if (bigFileSlot())
        return bigFileSlot()->DirExists(path);
    const std::string diskPath = platform::resolvePath(path.c_str());
    return CFileSandbox::permits(path, diskPath) && platform::isFolder(diskPath);
}

int CFile::fSeek(CFile* file, int offset, int origin)
{
    if (file == nullptr)
        return -1;
    if (bigFileSlot() && file == bigFileSlot()->GetFile())
        return bigFileSlot()->Seek(offset, origin);
    return file->Seek(offset, origin);
}

int CFile::fTell(CFile* file)
{
    if (file == nullptr)
        return 0;
    if (bigFileSlot() && file == bigFileSlot()->GetFile())
        return bigFileSlot()->Tell();
    return file->Tell();
}
