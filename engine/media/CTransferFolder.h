#pragma once

#include "foundation/CXString.h"

#include <string>

// The folder that one side of a file transfer works in. Names from a request (folder,
// sub-folder, file name) are placed inside it and never reach outside: a name with a drive,
// a leading separator, a colon or a ".." part is refused. The process's current folder is
// never changed.
class CTransferFolder {
public:
    // A name the Windows way, resolved once against the current folder.
    explicit CTransferFolder(const CXString& folder);

    // A name that stays inside the folder it is placed in; the empty name is safe.
    static bool isSafeName(const CXString& name);

    // The disk path of folder, then sub-folder, then the file name inside this folder; ""
    // when a part is not safe or the file name is empty.
    std::string pathOf(const CXString& folder, const CXString& subFolder, const CXString& fileName) const;
    const std::string& getPath() const { return path_; }

private:
    std::string path_;
};
