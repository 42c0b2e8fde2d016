#include "script/CMC_DataFile.h"

#include "foundation/CFile.h"
#include "foundation/CXArchive.h"
#include "script/ScriptWindow.h"

namespace {

// "w+b" and "rb".
constexpr int kWriteMode = CFile::MODE_BINARY | CFile::MODE_UPDATE;
constexpr int kReadMode = CFile::MODE_BINARY | CFile::MODE_READ;

} // namespace

bool CMC_DataFile::write(ScriptWindow* window, const CXString& name, const std::function<void(CXArchive&)>& writer)
{
    CFile file;
    if (file.Open(window, name, kWriteMode) != 0)
        return false;
    CXArchive archive(&file, true);
    writer(archive);
    if (archive.failed()) {
        file.discard();
        return false;
    }
    return file.Close() == 0;
}

bool CMC_DataFile::read(ScriptWindow* window, const CXString& name, const std::function<bool(CXArchive&)>& reader)
{
    CFile file;
    if (file.Open(window, name, kReadMode) != 0)
        return false;
    CXArchive archive(&file, false);
    const bool read = reader(archive);
    file.Close();
    return read;
}
