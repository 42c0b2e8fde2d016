#pragma once

#include "foundation/CXString.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CXArchive;

// The compiled files of one storing of the application. While a collection is open, the
// files written wait in memory; committing replaces all their targets together once every
// one was written whole, or none of them. Without an open collection a file replaces its
// target at once, on its own.
class CCompiledFiles {
public:
    // Opens the collection; one is open at a time.
    CCompiledFiles();
    // Drops what was not committed.
    ~CCompiledFiles();
    CCompiledFiles(const CCompiledFiles&) = delete;
    CCompiledFiles& operator=(const CCompiledFiles&) = delete;

    // The writer fills the archive of the file, named by its absolute path. False, with the
    // cause naming the file as the disk does, when the archive failed (a part was not stored),
    // when the file's folder is missing or, without an open collection, when the file could
    // not be written.
    static bool write(const CXString& fileName, const std::function<void(CXArchive&)>& writer, std::string& cause);
    // Every collected file replaces its target; false, with no target changed and the cause,
    // when one of them cannot be written. The collection is empty afterwards.
    bool commit(std::string& cause);

private:
    static inline CCompiledFiles* open_ = nullptr;

    // Disk paths and contents.
    std::vector<std::pair<std::string, std::string>> files_;
};
