#include "app/CCompiledFiles.h"

#include "foundation/CFileSandbox.h"
#include "foundation/CFile_Memory.h"
#include "foundation/CXArchive.h"
#include "platform/FileSystem.h"
#include "platform/PathResolver.h"

CCompiledFiles::CCompiledFiles()
{
    open_ = this;
}

CCompiledFiles::~CCompiledFiles()
{
    if (open_ == this)
        open_ = nullptr;
}

bool CCompiledFiles::write(const CXString& fileName, const std::function<void(CXArchive&)>& writer)
{
    CFile_Memory memory;
    CXArchive archive(&memory, true);
    writer(archive);
    if (archive.failed())
        return false;
    std::pair<std::string, std::string> file{platform::resolvePath(fileName.c_str()), memory.contents()};
    if (!CFileSandbox::permits(fileName, file.first))
        return false;
    if (open_ == nullptr)
        return platform::replaceFilesTogether({file});
    // A folder that is missing is named now, by the file that cannot go there.
    if (!platform::isFolder(platform::parentFolder(file.first)))
        return false;
    open_->files_.push_back(std::move(file));
    return true;
}

bool CCompiledFiles::commit()
{
    const bool written = platform::replaceFilesTogether(files_);
    files_.clear();
    return written;
}
