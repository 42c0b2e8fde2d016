#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <cstdint>
#include <cstdio>
#include <memory>

class FoundationWindow;
class CBigFile;

namespace platform {
class FileStream;
}

// Attribute bit of a folder in a folder search record.
constexpr uint32_t _A_SUBDIR = 0x10;

// One entry found by a folder search (CFile::findFirst / findNext).
struct _finddata_t {
    uint32_t attrib = 0;
    uint32_t size = 0;
    char name[260] = {};
};

// The engine's one file class: a C runtime stream opened through the data-path rules, so a
// short data name is found in the local tree, the data-disc tree or a language folder.
// Its statics are the process-wide file operations that know about the archive "data.bf".
class CFile : public CXObject {
public:
    // Mode bits of Open: read (else write), update, text, binary (text wins over binary).
    static constexpr int MODE_READ = 1;
    static constexpr int MODE_UPDATE = 4;
    static constexpr int MODE_TEXT = 8;
    static constexpr int MODE_BINARY = 16;
    // The error code of a file that could not be opened.
    static constexpr int ERROR_OPEN = 2000;

    CFile();
    // The error code afterwards tells whether the file opened.
    CFile(FoundationWindow* window, const CXString& name, int mode);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() override;

    // The size in bytes, -1 without a stream; the position is kept.
    virtual int Length();
    // 0 without a stream.
    virtual int Tell();
    virtual FILE* GetHandle();
    // Origin 0 from the start, 1 from the position, 2 from the end; 0 on success.
    virtual int Seek(int offset, int origin);
    // Opens the first candidate path of the data-path rules; the error code, 0 when open.
    virtual int Open(FoundationWindow* window, const CXString& name, int mode);
    // The number of bytes read; 0 for a count below 1.
    virtual int Read(void* buffer, int n);
    // 1 when all n bytes were written, else 0 (a count of blocks, not of bytes).
    virtual int Write(const void* buffer, int n);
    // A file written from the start replaces the old file here, once it is complete; a
    // failure to do so sets ERROR_OPEN. Returns the error code.
    virtual int Close();
    // At most size - 1 characters up to and including the next line end, then a zero;
    // "" at the end of the file. A file opened in text mode reads CR LF as LF.
    virtual void GetLine(char* buffer, int size);
    // One line of at most 10239 characters, line end included when reached; "" at the end.
    virtual CXString getLine();
    // The characters as they are; no line end is added.
    virtual void putLine(const CXString& line);
    // True once a read has run into the end.
    virtual bool eof();

    // Closes the stream and drops everything written since a file was opened for writing
    // from the start: the file that was there before stays as it was.
    void discard();

    FoundationWindow* getWindow() const { return window_; }
    // The full path the last Open worked from, before tree mapping and language folders.
    const char* GetFileName() const { return path_.c_str(); }

    // The C runtime mode text of mode bits ("rb" for 17, "rt" for 25, "w+" for 4).
    static CXString modeText(int mode);

    // --- data paths ---
    // Moves a path into the local tree (root FoundationWindow::rootPath) or the data-disc tree
    // (root FoundationWindow::getCDPath()), cutting it at "Dane", else "COMMON", else "WAVS".
    static CXString getLocalPath(const CXString& path);
    static CXString getCDPath(const CXString& path);
    // Whether a path lies on a fixed disk; on this system every path does.
    static bool isHdd(const CXString& path);
    // The current folder (the archive's while one is open), ending with a backslash.
    static CXString getCurrentDirectory();
    // The same without the backslash, at most size - 1 characters and a zero.
    static void getCurrentDirectory(int size, char* buffer);
    // The path under which a data file would be found for reading, or "".
    static CXString getPath(FoundationWindow* window, const CXString& name);

    // --- the archive and the folders ---
    static void openBigFile(const CXString& name);
    static void closeBigFile();
    static CBigFile* getBigFileIfc();
    static CFile* getBigFileHandle();
    // 0 on success.
    static int chDir(const CXString& folder);
    // A search handle with the first match in record, -1 when nothing matches. A record
    // whose attrib has _A_SUBDIR set before the call asks for folders only.
    static int findFirst(const CXString& pattern, _finddata_t* record);
    // 0 with the next match in record, -1 at the end.
    static int findNext(int handle, _finddata_t* record);
    static bool fileExists(const CXString& path);
    static bool dirExists(const CXString& path);
    // Seek and Tell that also serve the archive's own file.
    static int fSeek(CFile* file, int offset, int origin);
    static int fTell(CFile* file);

private:
    bool isTextMode() const;
    // Replaces a CR LF at the end of what fgets read by LF (text mode only).
    void dropCarriageReturn(char* line);

    std::unique_ptr<platform::FileStream> stream_;
    CXString path_;
    int32_t mode_ = 0;
    FoundationWindow* window_ = nullptr;
};
