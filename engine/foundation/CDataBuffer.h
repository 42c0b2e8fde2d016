#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXSize.h"

// An owned block of equal-sized elements with a movable cursor and one optional backup copy.
// Sizes, indices and cursor moves are the caller's to keep in range. Copies are deep: each
// copy owns its own block and backup.
class CDataBuffer : public CXObject {
public:
    CDataBuffer(int count, int elementSize);
    CDataBuffer(const char* source, int count, int elementSize);
    CDataBuffer(const CDataBuffer& other);
    CDataBuffer& operator=(const CDataBuffer& other);
    ~CDataBuffer() override;

    // A copy of the block and the backup, with the cursor at the same offset.
    CDataBuffer* clone() override;
    // Frees the block and the backup; the cursor stays where it was.
    virtual void flush();
    // Replaces the backup with a copy of the block.
    virtual void backup();
    // Copies the backup, when there is one, over the block; `discard` then frees the backup.
    virtual void restore(bool discard);

    void zero();
    int getMemoryUsage() const;
    void* getBuffer() { return buffer_; }
    void* getPtr() { return cursor_; }
    operator char*() { return cursor_; }
    operator short*() { return reinterpret_cast<short*>(cursor_); }
    void start() { cursor_ = buffer_; }
    CDataBuffer& operator++();
    CDataBuffer& operator--();
    CDataBuffer& operator+=(int n);
    CDataBuffer& operator-=(int n);

protected:
    long bytes() const;
    void copyFrom(const CDataBuffer& other);

    char* buffer_ = nullptr;
    char* backup_ = nullptr;
    char* cursor_ = nullptr;
    int count_;
    int elementSize_;
};

// A data buffer of width x height elements walked row by row.
class CDataBuffer2Dim : public CDataBuffer {
public:
    CDataBuffer2Dim(CXSize size, int elementSize);
    CDataBuffer2Dim(const char* source, CXSize size, int elementSize);

    CDataBuffer2Dim* clone() override;
    virtual int getWidth() { return width_; }
    virtual int getHeight() { return height_; }
    // Cursor to column x of row y.
    virtual void at(int x, int y);
    // Cursor one row down or up, same column.
    virtual void nextLine();
    virtual void prevLine();

private:
    int width_;
    int height_;
};
