#pragma once

class CDataBuffer;
class CFile;

// A whole file in memory, read as a stream of bits (most significant first) and of
// little-endian bytes, shorts and ints. Reads past the end give 0 and never move the
// position beyond the end. Copies are deep: each copy owns its own bytes.
class CMemStream {
public:
    // Reads the file from its current position to its end; the file stays open.
    explicit CMemStream(CFile* file);
    CMemStream(const CMemStream& other);
    CMemStream& operator=(const CMemStream& other);
    ~CMemStream();

    int get_bit();
    // n bits, the first read the most significant; 0 when n < 1.
    int get_bits(int n);
    // The n-bit two's-complement value; 0 when n < 1.
    int get_signed_bits(int n);
    // Copies n bytes from the current byte on, without aligning to a byte first.
    void get_bytes(void* destination, int n);
    // These align to the next whole byte first.
    unsigned char get_char();
    short get_shortint();
    int get_int();
    void move(int n);

    unsigned char* getPtr();
    int getSize() const { return size_; }

private:
    void align();
    unsigned char byteAt(int offset) const;
    // The next `count` bytes as a little-endian number, after aligning.
    unsigned int littleEndian(int count);

    int size_ = 0;
    CDataBuffer* data_ = nullptr;
    int position_ = 0;
    int bitPosition_ = 0;
};
