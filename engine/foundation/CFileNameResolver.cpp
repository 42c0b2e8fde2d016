#include "foundation/CFileNameResolver.h"

#include "foundation/CStringTokenizer.h"
#include "foundation/CXArray.h"

CFileNameResolver::CFileNameResolver(const CXString& path)
    : fullName_(path)
    , directories_(new CXArray(101, 0.75f))
{
    if (fullName_.IsString())
        split();
}

CFileNameResolver::CFileNameResolver(const CFileNameResolver& other)
    : CXObject(other)
    , fullName_(other.fullName_)
    , extension_(other.extension_)
    , fileName_(other.fileName_)
    , pureName_(other.pureName_)
    , drive_(other.drive_)
    , directories_(new CXArray(101, 0.75f))
{
    copyDirectories(other.directories_);
}

CFileNameResolver& CFileNameResolver::operator=(const CFileNameResolver& other)
{
    if (this == &other)
        return *this;
    CXObject::operator=(other);
    fullName_ = other.fullName_;
    extension_ = other.extension_;
    fileName_ = other.fileName_;
    pureName_ = other.pureName_;
    drive_ = other.drive_;
    releaseDirectories();
    copyDirectories(other.directories_);
    return *this;
}

CFileNameResolver::~CFileNameResolver()
{
    releaseDirectories();
    delete directories_;
}

void CFileNameResolver::split()
{
    CStringTokenizer parts(fullName_, "\\/");
    CXString current = parts.nextToken();
    if (current.lastChar() == ':') {
        drive_ = static_cast<unsigned char>(current.GetAt(0));
        if (parts.hasMoreTokens())
            current = parts.nextToken();
    }
    while (parts.hasMoreTokens()) {
        directories_->add(new CXString(current));
        current = parts.nextToken();
    }
    fileName_ = current;
    if (!fileName_.IsString())
        return;
    CStringTokenizer pieces(fileName_, ".");
    pureName_ = pieces.nextToken();
    extension_ = pieces.nextToken();
}

void CFileNameResolver::copyDirectories(const CXArray* from)
{
    for (int i = 0; i < from->getCount(); ++i)
        directories_->add(new CXString(*static_cast<CXString*>(from->at(i))));
}

void CFileNameResolver::releaseDirectories()
{
    for (int i = 0; i < directories_->getCount(); ++i)
        delete static_cast<CXString*>(directories_->at(i));
    directories_->removeAll();
}
