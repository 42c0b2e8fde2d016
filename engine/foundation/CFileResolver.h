#pragma once

#include "foundation/CXString.h"

// What every file-backed resource (animation, image, sound, sequence, video) carries: its file
// name, whether its data are in memory, and whether to free them after playing.
class CFileResolver {
public:
    CFileResolver() = default;
    CFileResolver(const CFileResolver&) = default;
    CFileResolver& operator=(const CFileResolver&) = default;
    virtual ~CFileResolver() = default;

    virtual void setFilename(CXString name) { fileName_ = name; }
    virtual CXString getFileName() { return fileName_; }
    virtual bool isLoaded() { return loaded_; }
    virtual void toRelease(bool release) { releaseAfterUse_ = release; }
    virtual bool releaseAfterUse() { return releaseAfterUse_; }

protected:
    // Subclasses mark their data as loaded into memory, or as freed.
    void load() { loaded_ = true; }
    void release() { loaded_ = false; }
    // The file whose data wait to be loaded; empty when they are in memory or there is none.
    CXString waitingFile() { return isLoaded() ? CXString() : CFileResolver::getFileName(); }
    void log(const char* text, bool flag);

private:
    CXString fileName_;
    bool loaded_ = false;
    bool releaseAfterUse_ = false;
};
