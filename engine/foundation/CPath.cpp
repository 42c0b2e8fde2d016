#include "foundation/CPath.h"

#include "foundation/CFile.h"
#include "foundation/CStringTokenizer.h"
#include "foundation/FoundationWindow.h"

CPath::CPath(FoundationWindow* window)
    : window_(window)
    , currentPath_(CFile::getCurrentDirectory())
{
}

CPath::CPath(FoundationWindow* window, const CXString& name)
    : window_(window)
    , fileName_(name)
{
}

CXString CPath::GetFullPath(const CXString& file) const
{
    return getFullPath(currentPath_, file);
}

CXString CPath::GetFullPath(const CXString& folder, const CXString& file) const
{
    return getFullPath(currentPath_, folder, file);
}

CXString CPath::resolveFileName(const CXString& name) const
{
    return resolveFileName(window_, name);
}

CXString CPath::SetExtension(const CXString& ext)
{
    const int dot = fileName_.Find('.', 0);
    fileName_ = dot < 0 ? ext : fileName_.Left(dot + 1) + ext;
    return fileName_;
}

bool CPath::isCD()
{
    return false;
}

CXString CPath::resolveFileName(FoundationWindow*, const CXString& name)
{
    return resolveMarkers(FoundationWindow::getCDPath(), name);
}

CXString CPath::resolveFileNameEx(FoundationWindow*, const CXString& name)
{
    return resolveMarkers(FoundationWindow::rootPath, name);
}

CXString CPath::getFullPath(const CXString& folder, const CXString& file)
{
    CXString path;
    if (folder.IsString()) {
        path += folder;
        if (findLastSeparator(folder) != folder.GetLength() - 1)
            path += '\\';
    }
    if (file.IsString())
        path += file;
    return path;
}

CXString CPath::getFullPath(const CXString& folder, const CXString& sub, const CXString& file)
{
    CXString path;
    if (folder.IsString())
        path += folder;
    path += '\\';
    if (sub.IsString()) {
        path += sub;
        path += '\\';
    }
    if (file.IsString())
        path += file;
    return path;
}

int CPath::findLastSeparator(const CXString& path)
{
    const int backslash = path.FindLast('\\');
    const int slash = path.FindLast('/');
    return backslash > slash ? backslash : slash;
}

CXString CPath::resolveMarkers(const CXString& root, const CXString& name)
{
    CXString resolved = name;
    if (resolved.GetAt(0) == '$' || resolved.GetAt(0) == '&')
        resolved = root + resolved.Right(1);
    if (resolved.Find('?', 0) < 0)
        return resolved;
    CStringTokenizer tokens(resolved, "?");
    const CXString first = tokens.nextToken();
    if (!tokens.hasMoreTokens())
        return getFullPath(CFile::getCurrentDirectory(), "", first);
    return getFullPath(CFile::getCurrentDirectory(), first, tokens.nextToken());
}
