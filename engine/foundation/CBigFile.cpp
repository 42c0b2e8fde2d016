#include "foundation/CBigFile.h"

#include "foundation/CFile.h"
#include "foundation/CStringTokenizer.h"
#include "foundation/CXArchive.h"
#include "platform/FileSystem.h"
#include "platform/PathResolver.h"

#include <climits>
#include <cstdio>
#include <string>

namespace {

// Bytes of a record before its name: folder (name length, file count, folder count),
// file (name length, offset, time, size), root record (the fields around its name and path).
constexpr int64_t kFolderRecordBytes = 12;
constexpr int64_t kFileRecordBytes = 20;
constexpr int64_t kRootRecordBytes = 36;

struct Source {
    std::string path;
    int32_t size;
};

struct PackingPlan {
    int64_t tocBytes = 0;
    int64_t dataBytes = 0;
    std::vector<Source> sources; // in the order of the file records
};

CXString readName(CXArchive& archive)
{
    char* text = nullptr;
    archive >> &text;
    CXString name(text);
    delete[] text;
    return name;
}

CXString lowered(const CXString& text)
{
    CXString lower(text);
    lower.Lower();
    return lower;
}

bool sameName(const CXString& a, const CXString& b)
{
    return lowered(a) == lowered(b);
}

std::unique_ptr<_entry> readFolder(CXArchive& archive, _entry* parent, int depth, int64_t fileLength)
{
    auto folder = std::make_unique<_entry>();
    folder->parent = parent;
    folder->name = readName(archive);
    int32_t fileCount = 0;
    int32_t folderCount = 0;
    archive >> &fileCount >> &folderCount;
    const int64_t left = fileLength - archive.GetFileHandle()->Tell();
    if (archive.failed() || depth > CBigFile::kMaxDepth || fileCount < 0 || folderCount < 0 ||
        fileCount * kFileRecordBytes + folderCount * kFolderRecordBytes > left)
        return nullptr;
    folder->folders.reserve(static_cast<size_t>(folderCount));
    folder->files.reserve(static_cast<size_t>(fileCount));
    for (int32_t i = 0; i < folderCount; ++i) {
        std::unique_ptr<_entry> sub = readFolder(archive, folder.get(), depth + 1, fileLength);
        if (!sub)
            return nullptr;
        folder->folders.push_back(std::move(sub));
    }
    for (int32_t i = 0; i < fileCount; ++i) {
        auto file = std::make_unique<_file>();
        file->parent = folder.get();
        file->name = readName(archive);
        archive >> &file->offset >> &file->time >> &file->size;
        if (archive.failed() || file->offset < 0 || file->size < 0 ||
            static_cast<int64_t>(file->offset) + file->size > fileLength)
            return nullptr;
        folder->files.push_back(std::move(file));
    }
    return folder;
}

// Sub-folders first (with all their contents), then the folder's own files: the order in
// which the table lists the files and in which their bytes follow it.
bool fillFromDisk(_rootentry& toc, _entry& folder, const std::string& diskPath, int depth, PackingPlan& plan)
{
    const auto entries = platform::listFolder(diskPath);
    if (!entries || depth > CBigFile::kMaxDepth)
        return false;
    for (const platform::FolderEntry& entry : *entries) {
        if (!entry.isFolder)
            continue;
        auto sub = std::make_unique<_entry>();
        sub->name = platform::toWindowsName(entry.name).c_str();
        sub->parent = &folder;
        plan.tocBytes += kFolderRecordBytes + sub->name.GetLength();
        ++toc.folderCount;
        _entry& added = *folder.folders.emplace_back(std::move(sub));
        if (!fillFromDisk(toc, added, platform::joinPath(diskPath, entry.name), depth + 1, plan))
            return false;
    }
    for (const platform::FolderEntry& entry : *entries) {
        if (entry.isFolder)
            continue;
        if (entry.size > INT32_MAX)
            return false;
        auto file = std::make_unique<_file>();
        file->name = platform::toWindowsName(entry.name).c_str();
        file->size = static_cast<int32_t>(entry.size);
        file->parent = &folder;
        plan.tocBytes += kFileRecordBytes + file->name.GetLength();
        plan.dataBytes += file->size;
        ++toc.fileCount;
        plan.sources.push_back({platform::joinPath(diskPath, entry.name), file->size});
        folder.files.push_back(std::move(file));
    }
    return true;
}

// Appends one source file's bytes; false unless exactly `size` bytes were copied.
bool appendSource(CFile& archive, const std::string& source, int32_t size)
{
    std::unique_ptr<platform::FileStream> stream = platform::FileStream::open(source, "rb");
    if (!stream)
        return false;
    std::vector<char> buffer(1 << 20);
    int64_t left = size;
    while (left > 0) {
        const size_t wanted = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(buffer.size())));
        if (std::fread(buffer.data(), 1, wanted, stream->handle()) != wanted)
            return false;
        if (archive.Write(buffer.data(), static_cast<int>(wanted)) != 1)
            return false;
        left -= static_cast<int64_t>(wanted);
    }
    return true;
}

} // namespace

CBigFile::CBigFile(bool verbose, const CXString&)
    : verbose_(verbose)
{
}

CBigFile::CBigFile(const CXString& name, bool verbose, const CXString&)
    : verbose_(verbose)
{
    auto file = std::make_unique<CFile>(nullptr, name, CFile::MODE_READ | CFile::MODE_BINARY);
    if (file->GetHandle() == nullptr) {
        setErrorCode(ERROR_OPEN);
        return;
    }
    const int64_t fileLength = file->Length();
    CXArchive archive(file.get(), false);
    auto toc = std::make_unique<_rootentry>();
    toc->name = readName(archive);
    toc->rootPath = readName(archive);
    archive >> &toc->totalSize >> &toc->reserved[0] >> &toc->reserved[1] >> &toc->fileCount >> &toc->folderCount;
    toc->root = readFolder(archive, nullptr, 0, fileLength);
    if (archive.failed() || !toc->root) {
        setErrorCode(ERROR_OPEN);
        return;
    }
    file_ = std::move(file);
    name_ = name;
    toc_ = std::move(toc);
    current_ = toc_->root.get();
    file_->Seek(0, SEEK_SET);
}

CBigFile::~CBigFile() = default;

_file* CBigFile::lookUp(const CXString& path) const
{
    if (!toc_)
        return nullptr;
    const int first = path.GetAt(0);
    const int last = path.GetAt(-1);
    if (last == '\\' || last == '/')
        return nullptr;
    const _entry* folder = first == '\\' || first == '/' ? toc_->root.get() : current_;
    CStringTokenizer parts(path, "\\/");
    CXString part = parts.nextToken();
    while (parts.hasMoreTokens()) {
        const _entry* next = nullptr;
        for (const auto& sub : folder->folders) {
            if (sameName(sub->name, part)) {
                next = sub.get();
                break;
            }
        }
        if (next == nullptr)
            return nullptr;
        folder = next;
        part = parts.nextToken();
    }
    if (!part.IsString())
        return nullptr;
    for (const auto& file : folder->files) {
        if (sameName(file->name, part))
            return file.get();
    }
    return nullptr;
}

int CBigFile::GetSize(const CXString& path)
{
    const _file* file = lookUp(path);
    return file != nullptr ? file->size : 0;
}

int CBigFile::Seek(const CXString& path)
{
    const _file* file = lookUp(path);
    if (file == nullptr || !file_)
        return -1;
    file_->Seek(file->offset, SEEK_SET);
    return file->offset;
}

int CBigFile::Seek(int offset, int origin)
{
    return file_ ? file_->Seek(offset, origin) : -1;
}

int CBigFile::Tell()
{
    return file_ ? file_->Tell() : 0;
}

int CBigFile::FindFirst(const CXString& filter, _finddata_t* record)
{
    if (current_ == nullptr)
        return -1;
    int index = 0;
    auto fits = [&](const CXString& name) {
        const CXString lower = lowered(name);
        if (!lower.FilterFits(filter))
            return false;
        std::snprintf(record->name, sizeof record->name, "%s", lower.c_str());
        return true;
    };
    for (const auto& file : current_->files) {
        if (fits(file->name))
            return index;
        ++index;
    }
    for (const auto& sub : current_->folders) {
        if (fits(sub->name))
            return index;
        ++index;
    }
    return -1;
}

int CBigFile::FindNext(int, _finddata_t*)
{
    return -1;
}

bool CBigFile::FileExists(const CXString& path)
{
    return lookUp(path) != nullptr;
}

CXString CBigFile::GetCurrentDirectoryA()
{
    if (!file_)
        return platform::currentFolderName().c_str();
    CXString path;
    for (const _entry* folder = current_; folder != nullptr && folder->parent != nullptr; folder = folder->parent)
        path = path.IsString() ? folder->name + "\\" + path : folder->name;
    return path;
}

int CBigFile::ChDir(const CXString&)
{
    return 0;
}

bool CBigFile::DirExists(const CXString&)
{
    return true;
}

bool CBigFile::Create(const CXString& sourceFolder, const CXString& rootName, const CXString& archiveName)
{
    _rootentry toc;
    toc.root = std::make_unique<_entry>();
    toc.root->name = sourceFolder;
    PackingPlan plan;
    plan.tocBytes = kRootRecordBytes + kFolderRecordBytes + sourceFolder.GetLength();
    if (!fillFromDisk(toc, *toc.root, platform::resolvePath(sourceFolder.c_str()), 0, plan))
        return false;
    toc.name = rootName;
    toc.rootPath = "\\";
    plan.tocBytes += rootName.GetLength() + 1;
    if (plan.tocBytes + plan.dataBytes > INT32_MAX)
        return false;
    toc.totalSize = static_cast<int32_t>(plan.dataBytes);
    tocSize_ = static_cast<int32_t>(plan.tocBytes);
    dataOffset_ = 0;

    if (verbose_) {
        std::printf("Big file name: %s.\n", toc.name.c_str());
        std::printf("Number of folders: %d.\n", toc.folderCount);
        std::printf("Number of files: %d.\n", toc.fileCount);
        std::printf("Total size: %d bytes.\n", toc.totalSize);
        std::printf("TOC size: %d bytes.\n", tocSize_);
    }

    CFile archiveFile(nullptr, archiveName, CFile::MODE_BINARY | CFile::MODE_UPDATE);
    if (archiveFile.GetHandle() == nullptr)
        return false;
    CXArchive archive(&archiveFile, true);
    archive << toc.name << toc.rootPath << toc.totalSize << toc.reserved[0] << toc.reserved[1] << toc.fileCount
            << toc.folderCount;
    writeFolder(archive, *toc.root);
    if (archive.failed()) {
        archiveFile.discard();
        return false;
    }
    std::printf("TOC saved.\n");

    int saved = 0;
    for (const Source& source : plan.sources) {
        if (!appendSource(archiveFile, source.path, source.size)) {
            archiveFile.discard();
            return false;
        }
        std::printf("\r%48s\rFile %d of %d saved.", "", ++saved, toc.fileCount);
    }
    std::fflush(stdout);
    return archiveFile.Close() == 0;
}

void CBigFile::writeFolder(CXArchive& archive, _entry& folder)
{
    archive << folder.name << static_cast<int32_t>(folder.files.size()) << static_cast<int32_t>(folder.folders.size());
    for (const auto& sub : folder.folders)
        writeFolder(archive, *sub);
    for (const auto& file : folder.files) {
        file->offset = tocSize_ + dataOffset_;
        dataOffset_ += file->size;
        archive << file->name << file->offset << file->time << file->size;
    }
}
