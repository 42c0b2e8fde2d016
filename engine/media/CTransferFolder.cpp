#include "media/CTransferFolder.h"

#include "foundation/CStringTokenizer.h"
#include "platform/PathResolver.h"

CTransferFolder::CTransferFolder(const CXString& folder)
    : path_(platform::resolvePath(folder.c_str()))
{
}

bool CTransferFolder::isSafeName(const CXString& name)
{
    if (platform::isAbsoluteName(name.c_str()) || name.Find(':', 0) >= 0)
        return false;
    CStringTokenizer parts(name, "\\/");
    while (parts.hasMoreTokens()) {
        if (parts.nextToken() == "..")
            return false;
    }
    return true;
}

std::string CTransferFolder::pathOf(const CXString& folder, const CXString& subFolder, const CXString& fileName) const
{
    if (!fileName.IsString() || !isSafeName(folder) || !isSafeName(subFolder) || !isSafeName(fileName))
        return std::string();
    const std::string name = platform::toWindowsName(path_) + "\\" + folder.c_str() + "\\" + subFolder.c_str() +
                             "\\" + fileName.c_str();
    return platform::resolvePath(name);
}
