#pragma once

#include <vector>

// Collects bytes of unknown total length in fixed-size blocks and copies them out in one
// piece. Copies are deep: each copy owns its own blocks.
class CMemStorage {
public:
    // -1 means blocks of 102400 bytes.
    explicit CMemStorage(int blockSize = -1);

    // Appends n bytes: to the last block while they fit, otherwise to a new block, which is
    // made large enough for a piece longer than the block size.
    void put(const void* data, int n);
    int getTotalSize() const { return total_; }
    // Copies the stored bytes in order to `destination`, which holds getTotalSize() bytes.
    void copy(void* destination) const;

    int getBlockSize() const { return blockSize_; }
    int getBlockCount() const { return static_cast<int>(blocks_.size()); }

    static constexpr int kDefaultBlockSize = 102400;

private:
    struct Block {
        std::vector<char> bytes;
        int used = 0;
    };

    int blockSize_;
    std::vector<Block> blocks_;
    int total_ = 0;
};
