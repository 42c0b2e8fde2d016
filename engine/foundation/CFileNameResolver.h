#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

class CXArray;

// The parts of one path, split once at construction: drive letter, folder names, file name,
// the file name without extension ("pure" name) and the extension (the text after the first
// dot: archive.tar.gz has the extension tar).
class CFileNameResolver : public CXObject {
public:
    explicit CFileNameResolver(const CXString& path);
    CFileNameResolver(const CFileNameResolver& other);
    CFileNameResolver& operator=(const CFileNameResolver& other);
    ~CFileNameResolver() override;

    CXString getFileName() const { return fileName_; }
    CXString getPureFileName() const { return pureName_; }
    CXString getExtension() const { return extension_; }
    // The drive letter as written, 0 when the path has none.
    unsigned char getDrive() const { return drive_; }
    // The folder names between the drive and the file name, as owned texts.
    CXArray* getDirectories() const { return directories_; }

private:
    void split();
    void copyDirectories(const CXArray* from);
    void releaseDirectories();

    CXString fullName_;
    CXString extension_;
    CXString fileName_;
    CXString pureName_;
    unsigned char drive_ = 0;
    CXArray* directories_;
};
