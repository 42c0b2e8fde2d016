#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <cstdint>

class FoundationWindow;
class CXArray;

// Lists and walks folders through the archive-aware folder operations of CFile, so it works
// the same on disk and inside "data.bf". Also holds the names of the data tree's folders.
class CFolder : public CXObject {
public:
    static const CXString DATA_FOLDER;   // "Dane"
    static const CXString COMMON_FOLDER; // "COMMON"
    static const CXString WAVS_FOLDER;   // "WAVS"
    static const CXString SFX_FOLDER;    // "Wavs\Sfx"

    explicit CFolder(FoundationWindow* window);
    // Makes folder the current folder; it stays so until back() or another change.
    CFolder(FoundationWindow* window, const CXString& folder);

    CXString getPath() const { return current_; }
    // Returns to the folder that was current when this object was built on a folder.
    void back();
    // The names of the entries that fit the pattern, in listing order. The caller releases
    // the list with releaseFilesList.
    CXArray* list(const CXString& pattern);
    static void releaseFilesList(CXArray* list);

    virtual CXString GetFolderName(const CXString& pattern);
    virtual CXString GetFileName(const CXString& pattern);
    // The next entry of the search that GetFolderName or GetFileName began; "" at the end.
    virtual CXString GetNextFileName();

    bool IsDirectory(const CXString& name);
    int GetSize(const CXString& name);

    // Lettered sub-folders ("A.x", "B.+menu") form a tree that GoTo walks by index (0 to 25);
    // the text after the dot (after ".+") is the folder's type.
    void GoStart();
    CXString GoTo(int index);
    CXString GoUp();

private:
    CXString startSearch(const CXString& pattern, uint32_t attrib);
    CXString GetFolderType(const CXString& name) const;
    CXString FindFolder(unsigned char letter);

    CXString current_;
    CXString navigation_;
    CXString folderType_;
    CXString lastPattern_;
    CXString startFolder_;
    int32_t searchHandle_ = 0;
};
