#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

class FoundationWindow;

// Name markers and path joining of data file names: a leading "$" or "&" puts a name under
// the data-disc root or the local root, "?" joins a folder and a file under the current folder.
class CPath : public CXObject {
public:
    // Takes the current folder.
    explicit CPath(FoundationWindow* window);
    CPath(FoundationWindow* window, const CXString& name);

    CXString getCurrentPath() const { return currentPath_; }
    CXString GetFullPath(const CXString& file) const;
    CXString GetFullPath(const CXString& folder, const CXString& file) const;
    CXString resolveFileName(const CXString& name) const;
    // Keeps the file name up to and including its first '.', then ext.
    CXString SetExtension(const CXString& ext);
    // Whether the current path lies on a CD drive; this system has no drive types.
    virtual bool isCD();

    // "$name" and "&name" go under the data-disc root (Ex: the local root); "A?B" is B in
    // folder A of the current folder.
    static CXString resolveFileName(FoundationWindow* window, const CXString& name);
    static CXString resolveFileNameEx(FoundationWindow* window, const CXString& name);
    // folder, a backslash unless it ends with a separator, then file.
    static CXString getFullPath(const CXString& folder, const CXString& file);
    // folder, a backslash always, sub and a backslash when sub is given, then file.
    static CXString getFullPath(const CXString& folder, const CXString& sub, const CXString& file);

    // The position of the last "\" or "/", -1 when there is none.
    static int findLastSeparator(const CXString& path);

private:
    static CXString resolveMarkers(const CXString& root, const CXString& name);

    FoundationWindow* window_;
    CXString fileName_;
    CXString currentPath_;
};
