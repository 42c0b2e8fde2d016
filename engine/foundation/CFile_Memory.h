#pragma once

#include "foundation/CFile.h"

#include <string>

// A file that is written into memory, for contents that go to disk only once they are whole.
class CFile_Memory : public CFile {
public:
    int Length() override { return static_cast<int>(contents_.size()); }
    int Tell() override { return Length(); }
    FILE* GetHandle() override { return nullptr; }
    // Memory cannot be reopened as a file.
    int Open(FoundationWindow* window, const CXString& name, int mode) override;
    // Appends; 1.
    int Write(const void* buffer, int n) override;
    int Close() override { return 0; }

    const std::string& contents() const { return contents_; }

private:
    std::string contents_;
};
