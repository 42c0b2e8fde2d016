#pragma once

#include <memory>

// Decodes a JPEG picture, from a file or from bytes in memory, into 15- or 16-bit pixel words.
// The header is read when the decoder is made: a picture that does not open, is not a JPEG,
// is CMYK or is larger than the engine draws leaves the decoder closed, without a size.
// Damaged data, warnings included, make decompress fail; nothing is ever printed.
class JPEG {
public:
    // A data file name, as the data spell it.
    explicit JPEG(const char* path);
    // The bytes are copied.
    JPEG(const char* data, long length);
    ~JPEG();
    JPEG(const JPEG&) = delete;
    JPEG& operator=(const JPEG&) = delete;

    bool isOpen() const { return open_; }
    int getWidth() const { return width_; }
    int getHeight() const { return height_; }

    // width × height pixel words (made with new[], the caller's): 5-5-5 for bpp 15, else 5-6-5.
    // Null when the decoder is closed or the data do not decode; the decoder closes either way,
    // keeping the size.
    char* decompress(int bpp);

private:
    struct Decoder;

    void start();

    std::unique_ptr<Decoder> decoder_;
    int width_ = 0;
    int height_ = 0;
    bool open_ = false;
};
