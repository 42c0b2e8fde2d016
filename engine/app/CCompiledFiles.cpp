#include "app/CCompiledFiles.h"

#include "foundation/CFileSandbox.h"
#include "foundation/CFile_Memory.h"
#include "foundation/CXArchive.h"
#include "platform/FileSystem.h"
#include "platform/PathResolver.h"

#include <cerrno>

CCompiledFiles::CCompiledFiles()
{
    open_ = this;
}

CCompiledFiles::~CCompiledFiles()
{
    if (open_ == this)
        open_ = nullptr;
}

bool CCompiledFiles::write(const CXString& fileName, const std::function<void(CXArchive&)>& writer, std::string& cause)
{
    const std::string path = platform::resolvePath(fileName.c_str());
    CFile_Memory memory;
    CXArchive archive(&memory, true);
    writer(archive);
    if (archive.failed()) {
        cause = platform::cannotWrite(path, "a part of it was not stored");
        return false;
    }
    if (!CFileSandbox::permits(fileName, path)) {
        cause = platform::cannotWrite(path, "it lies outside the application's folder");
        return false;
    }
    std::pair<std::string, std::string> file{path, memory.contents()};
    if (open_ == nullptr)
        return platform::replaceFilesTogether({file}, cause);
    // A folder that is missing is named now, by the file that cannot go there.
    if (!platform::isFolder(platform::parentFolder(path))) {
        cause = platform::cannotWrite(path, platform::whyNotWritten(path, ENOENT));
        return false;
    }
    open_->files_.push_back(std::move(file));
    return true;
}

bool CCompiledFiles::commit(std::string& cause)
{
    const bool written = platform::replaceFilesTogether(files_, cause);
    files_.clear();
    return written;
}
