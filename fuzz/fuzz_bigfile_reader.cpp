// Bytes of any shape opened as a big-file archive, then looked up, listed and read.
#include "foundation/CBigFile.h"
#include "foundation/CFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The archive is read from a file; one per process, removed when the process ends.
struct ScratchFile {
    std::string path = "/tmp/fuzz_bigfile_reader." + std::to_string(::getpid()) + ".bf";
    ~ScratchFile() { std::remove(path.c_str()); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ScratchFile scratch;
    const std::string& path = scratch.path;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    CBigFile archive(path.c_str(), false, "");
    if (archive.LastError() != 0)
        return 0;
    _finddata_t record;
    for (const char* filter : {"*", "*.*", "a*", "*.txt"}) {
        if (archive.FindFirst(filter, &record) < 0)
            continue;
        const CXString name(record.name);
        for (const CXString& lookup : {name, "\\" + name, name + "\\a.txt", name + "\\" + name + "\\x"}) {
            const int length = archive.GetSize(lookup);
            if (archive.Seek(lookup) < 0 || !archive.FileExists(lookup))
                continue;
            std::vector<char> bytes(static_cast<size_t>(length));
            if (length > 0 && archive.GetFile()->Read(bytes.data(), length) != length)
                __builtin_trap(); // the table promised bytes that the file does not hold
        }
    }
    archive.GetCurrentDirectoryA();
    return 0;
}
