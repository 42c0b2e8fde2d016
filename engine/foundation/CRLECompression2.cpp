#include "foundation/CRLECompression2.h"

#include <cstdint>
#include <cstring>
#include <memory>

CRLECompression2::CRLECompression2(CXSize size, short* rowLengths, char* data, int length)
    : CCompression(data, length)
    , width_(size.width)
    , height_(size.height)
    , rowLengths_(rowLengths)
{
}

CRLECompression2::~CRLECompression2()
{
    delete[] rowLengths_;
}

char* CRLECompression2::Decompress(int)
{
    if (width_ < 0 || height_ < 0 || size_ < 0)
        return nullptr;
    const uint64_t planeBytes = static_cast<uint64_t>(width_) * static_cast<uint64_t>(height_);
    // A two-byte packet stands for at most 128 bytes.
    if (planeBytes > kMaxUnpackedBytes || planeBytes > static_cast<uint64_t>(size_) * 128 / 2)
        return nullptr;
    if (planeBytes > 0 && (rowLengths_ == nullptr || data_ == nullptr))
        return nullptr;

    const auto* in = reinterpret_cast<const unsigned char*>(data_);
    const int64_t coded = size_;
    const int64_t total = static_cast<int64_t>(planeBytes);
    std::unique_ptr<char[]> output(new char[planeBytes]);
    char* out = output.get();
    int64_t written = 0;
    int64_t rowStart = 0;
    for (int row = 0; row < height_; ++row) {
        if (rowLengths_[row] < 0)
            return nullptr;
        const int64_t rowEnd = rowStart + rowLengths_[row];
        if (rowEnd > coded)
            return nullptr;
        // A packet that begins inside the row is completed, even from the next row's bytes.
        for (int64_t read = rowStart; read < rowEnd;) {
            const auto control = static_cast<signed char>(in[read++]);
            if (control == -128)
                continue;
            if (control >= 0) {
                const int count = control + 1;
                if (coded - read < count || total - written < count)
                    return nullptr;
                std::memcpy(out + written, in + read, static_cast<size_t>(count));
                read += count;
                written += count;
            } else {
                const int count = 1 - control;
                if (read >= coded || total - written < count)
                    return nullptr;
                std::memset(out + written, in[read], static_cast<size_t>(count));
                ++read;
                written += count;
            }
        }
        rowStart = rowEnd;
    }
    if (written != total)
        return nullptr;
    return output.release();
}

char* CRLECompression2::Compress(int& length)
{
    length = 0;
    return nullptr;
}
