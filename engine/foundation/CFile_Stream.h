#pragma once

#include "foundation/CFile.h"

// A read-only file over a block of memory that it does not own.
class CFile_Stream : public CFile {
public:
    CFile_Stream(const char* data, int size);

    int Length() override { return size_; }
    int Tell() override { return position_; }
    FILE* GetHandle() override { return nullptr; }
    // Returns the new position, which stays within 0 and the size.
    int Seek(int offset, int origin) override;
    // A memory block cannot be reopened as a file.
    int Open(FoundationWindow* window, const CXString& name, int mode) override;
    int Read(void* buffer, int n) override;
    void GetLine(char* buffer, int size) override;
    CXString getLine() override;
    bool eof() override { return position_ >= size_; }

private:
    const char* data_;
    int32_t size_;
    int32_t position_ = 0;
};
