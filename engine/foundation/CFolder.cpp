#include "foundation/CFolder.h"

#include "foundation/CFile.h"
#include "foundation/CPath.h"
#include "foundation/CXArray.h"
#include "platform/PathResolver.h"

const CXString CFolder::DATA_FOLDER("Dane");
const CXString CFolder::COMMON_FOLDER("COMMON");
const CXString CFolder::WAVS_FOLDER("WAVS");
const CXString CFolder::SFX_FOLDER("Wavs\\Sfx");

CFolder::CFolder(FoundationWindow* window)
    : current_(window != nullptr ? CFile::getCurrentDirectory()
                                 : CXString(platform::currentFolderName().c_str()))
{
}

CFolder::CFolder(FoundationWindow*, const CXString& folder)
    : navigation_(folder)
    , startFolder_(CFile::getCurrentDirectory())
{
    CFile::chDir(folder);
    const int first = folder.GetAt(0);
    current_ = first == '\\' || first == '/' ? folder : CFile::getCurrentDirectory();
}

void CFolder::back()
{
    if (startFolder_.IsString())
        CFile::chDir(startFolder_);
}

CXArray* CFolder::list(const CXString& pattern)
{
    auto* names = new CXArray(101, 0.75f);
    _finddata_t record;
    searchHandle_ = CFile::findFirst(pattern, &record);
    if (searchHandle_ == -1)
        return names;
    do {
        names->add(new CXString(record.name));
    } while (CFile::findNext(searchHandle_, &record) == 0);
    return names;
}

void CFolder::releaseFilesList(CXArray* list)
{
    CXString::releaseToVector(list);
}

CXString CFolder::GetFolderName(const CXString& pattern)
{
    return startSearch(pattern, _A_SUBDIR);
}

CXString CFolder::GetFileName(const CXString& pattern)
{
    return startSearch(pattern, 0);
}

CXString CFolder::GetNextFileName()
{
    _finddata_t record;
    return CFile::findNext(searchHandle_, &record) == 0 ? CXString(record.name) : CXString();
}

bool CFolder::IsDirectory(const CXString& name)
{
    _finddata_t record;
    return CFile::findFirst(name, &record) != -1 && (record.attrib & _A_SUBDIR) != 0;
}

int CFolder::GetSize(const CXString& name)
{
    _finddata_t record;
    return CFile::findFirst(name, &record) != -1 ? static_cast<int>(record.size) : 0;
}

void CFolder::GoStart()
{
    navigation_ = current_;
    CFile::chDir(navigation_);
}

CXString CFolder::GoTo(int index)
{
    if (index < 0 || index > 25)
        return "";
    const CXString folder = FindFolder(static_cast<unsigned char>('A' + index));
    if (!folder.IsString())
        return "";
    folderType_ = GetFolderType(folder);
    navigation_ += '\\';
    navigation_ += folder;
    CFile::chDir(navigation_);
    return folderType_;
}

CXString CFolder::GoUp()
{
    CFile::chDir("..");
    const int separator = CPath::findLastSeparator(navigation_);
    if (separator >= 0)
        navigation_ = navigation_.Left(separator);
    return GetFolderType(navigation_);
}

CXString CFolder::startSearch(const CXString& pattern, uint32_t attrib)
{
    lastPattern_ = pattern;
    _finddata_t record;
    record.attrib = attrib;
    searchHandle_ = CFile::findFirst(pattern, &record);
    return searchHandle_ != -1 ? CXString(record.name) : CXString();
}

CXString CFolder::GetFolderType(const CXString& name) const
{
    const int dot = name.FindLast('.');
    if (dot < 0)
        return "";
    if (name.GetAt(dot + 1) == '+')
        return name.Right(dot + 2);
    return name.Mid(dot + 1, dot + 2);
}

CXString CFolder::FindFolder(unsigned char letter)
{
    CXString pattern(static_cast<int>(letter));
    pattern += ".*";
    return GetFolderName(pattern);
}
