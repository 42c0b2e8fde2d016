#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <cstdint>
#include <memory>
#include <vector>

class CFile;
class CXArchive;
struct _finddata_t;
struct _entry;

// One contained file of the archive.
struct _file {
    CXString name; // without folder, case as the disk gave it
    int64_t time = 0;
    int32_t size = 0;
    int32_t offset = 0; // of the first data byte, from the start of the archive
    _entry* parent = nullptr;
};

// One folder of the archive.
struct _entry {
    CXString name; // the root folder holds the packed source folder's path
    _entry* parent = nullptr;
    std::vector<std::unique_ptr<_entry>> folders;
    std::vector<std::unique_ptr<_file>> files;
};

// The table of contents.
struct _rootentry {
    CXString name;
    CXString rootPath; // "\" in every archive the writer makes
    int32_t totalSize = 0;
    int64_t reserved[2] = {0, 0};
    int32_t fileCount = 0;   // in the whole tree
    int32_t folderCount = 0; // in the whole tree, without the root folder
    std::unique_ptr<_entry> root;
};

// The archive file "data.bf": a table of contents (a tree of folders and files, written with
// the serialisation archive) followed by the contained files' bytes, whole and uncompressed.
// Look-ups by path ignore letter case; Seek by path puts the archive's own file on a
// contained file's first byte.
//
// The table comes from the user's disk, so it is checked as it is read: counts, names, data
// offsets and sizes must fit in the file and folders nest at most kMaxDepth deep; a damaged
// archive does not open (error ERROR_OPEN).
class CBigFile : public CXObject {
public:
    static constexpr int ERROR_OPEN = 2000;
    static constexpr int kMaxDepth = 256;

    // Closed: no file, no table.
    explicit CBigFile(bool verbose = false, const CXString& unused = "");
    // Opens an existing archive for reading.
    CBigFile(const CXString& name, bool verbose, const CXString& unused);
    CBigFile(const CBigFile&) = delete;
    CBigFile& operator=(const CBigFile&) = delete;
    ~CBigFile() override;

    // 0 when the path names no contained file.
    int GetSize(const CXString& path);
    // The data offset of the named file, with the stream moved there; -1 (no move) when none.
    int Seek(const CXString& path);
    int Seek(int offset, int origin);
    int Tell();
    CFile* GetFile() { return file_.get(); }

    // The first entry of the current folder (files, then folders) whose lower-cased name fits
    // the filter: its lower-cased name goes into the record and its index is returned; -1
    // when none. Only the name of the record is set.
    int FindFirst(const CXString& filter, _finddata_t* record);
    // There is never a second match: always -1.
    int FindNext(int handle, _finddata_t* record);
    bool FileExists(const CXString& path);
    // The current folder inside the archive ("" for the root, "a\b" below it); the disk's
    // current folder when no archive is open.
    CXString GetCurrentDirectoryA();
    // Folders of the archive cannot be entered: nothing changes and the answer is 0.
    int ChDir(const CXString& folder);
    // Always true.
    bool DirExists(const CXString& path);

    // Packs the source folder into a new archive file. False, leaving no archive behind (and
    // an older archive of that name as it was), when the sources cannot be listed or read
    // whole, when they do not fit in the format's 32-bit offsets, or when the file cannot be
    // written.
    bool Create(const CXString& sourceFolder, const CXString& rootName, const CXString& archiveName);

private:
    _file* lookUp(const CXString& path) const;
    // Writes a folder record, giving each file its data offset on the way.
    void writeFolder(CXArchive& archive, _entry& folder);

    std::unique_ptr<CFile> file_;
    CXString name_;
    bool verbose_;
    std::unique_ptr<_rootentry> toc_;
    _entry* current_ = nullptr;
    int32_t dataOffset_ = 0; // the writer's running data offset
    int32_t tocSize_ = 0;    // the writer's table size in bytes
};
