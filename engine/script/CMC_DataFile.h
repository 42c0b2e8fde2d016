#pragma once

#include "foundation/CXString.h"

#include <functional>

class ScriptWindow;
class CXArchive;

// The files that data objects write with SAVE and read with LOAD: opened through the data-path
// rules of the object's window, in binary, and written whole or not at all.
class CMC_DataFile {
public:
    // Opens the file for writing and hands its archive to the writer. A write that fails
    // leaves the file that was there before; false then, and when the file does not open.
    static bool write(ScriptWindow* window, const CXString& name, const std::function<void(CXArchive&)>& writer);
    // Opens the file for reading and hands its archive to the reader, whose answer is given;
    // false when the file does not open.
    static bool read(ScriptWindow* window, const CXString& name, const std::function<bool(CXArchive&)>& reader);
};
