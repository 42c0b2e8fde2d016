#include "foundation/CLZWCompression.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kClearCode = 256;
constexpr int kFirstStringCode = 257;
constexpr int kDictionarySize = 65536;
constexpr int kStartWidth = 9;
constexpr int kWidestCode = 16;
// Once the width is 16 the encoder reconsiders a restart after every 2048 codes.
constexpr int kCodesBetweenChecksAtWidest = 2048;
// A restart pays off only once codes are at least this wide.
constexpr int kWidthWorthRestarting = 12;
constexpr int kNoCode = -1;
// The longest string the dictionary can name: a byte plus one byte per entry.
constexpr uint64_t kLongestString = kDictionarySize - kFirstStringCode + 1;

// Codes enter a little-endian bit stream: a code's lowest bit takes the lowest free bit.
class CodeWriter {
public:
    void put(int code, int width)
    {
        pending_ |= static_cast<uint64_t>(code) << pendingBits_;
        pendingBits_ += width;
        while (pendingBits_ >= 8) {
            bytes_.push_back(static_cast<char>(pending_));
            pending_ >>= 8;
            pendingBits_ -= 8;
        }
    }
    // The stream with its last byte partly filled.
    const std::vector<char>& finish()
    {
        if (pendingBits_ > 0)
            bytes_.push_back(static_cast<char>(pending_));
        pending_ = 0;
        pendingBits_ = 0;
        return bytes_;
    }

private:
    std::vector<char> bytes_;
    uint64_t pending_ = 0;
    int pendingBits_ = 0;
};

class CodeReader {
public:
    CodeReader(const unsigned char* bytes, uint32_t length)
        : bytes_(bytes)
        , length_(length)
    {
    }
    // False when the stream ends before the code does.
    bool get(int width, int& code)
    {
        while (pendingBits_ < width) {
            if (next_ >= length_)
                return false;
            pending_ |= static_cast<uint64_t>(bytes_[next_++]) << pendingBits_;
            pendingBits_ += 8;
        }
        code = static_cast<int>(pending_ & ((1u << width) - 1));
        pending_ >>= width;
        pendingBits_ -= width;
        return true;
    }

private:
    const unsigned char* bytes_;
    uint32_t length_;
    uint32_t next_ = 0;
    uint64_t pending_ = 0;
    int pendingBits_ = 0;
};

// A table of one value per code. Entries are written when their code is defined, so only the
// byte codes need a value from the start.
template <typename T>
std::unique_ptr<T[]> codeTable()
{
    return std::unique_ptr<T[]>(new T[kDictionarySize]);
}

// The encoder's dictionary: each string code keeps a list of the entries that extend it by one byte.
class EncoderDictionary {
public:
    EncoderDictionary() { clear(); }
    void clear() { std::fill(firstChild_.get(), firstChild_.get() + kClearCode, kNoCode); }
    int find(int prefix, unsigned char byte) const
    {
        for (int entry = firstChild_[prefix]; entry != kNoCode; entry = nextSibling_[entry])
            if (lastByte_[entry] == byte)
                return entry;
        return kNoCode;
    }
    void add(int code, int prefix, unsigned char byte)
    {
        lastByte_[code] = byte;
        firstChild_[code] = kNoCode;
        nextSibling_[code] = firstChild_[prefix];
        firstChild_[prefix] = code;
    }

private:
    std::unique_ptr<int32_t[]> firstChild_ = codeTable<int32_t>();
    std::unique_ptr<int32_t[]> nextSibling_ = codeTable<int32_t>();
    std::unique_ptr<unsigned char[]> lastByte_ = codeTable<unsigned char>();
};

// The encoder restarts its dictionary when the code since the last clear packs better than
// the code of the latest stretch; both ratios are whole percent.
struct RatioTracker {
    uint64_t bytesSinceClear = 0;
    uint64_t bitsSinceClear = 0;
    uint64_t recentBytes = 0;
    uint64_t recentCodes = 0;

    void byteRead()
    {
        ++bytesSinceClear;
        ++recentBytes;
    }
    void codeWritten(int width)
    {
        bitsSinceClear += static_cast<uint64_t>(width);
        ++recentCodes;
    }
    void startStretch()
    {
        recentBytes = 0;
        recentCodes = 0;
    }
    bool recentWorse(int width) const
    {
        if (recentCodes == 0 || bitsSinceClear == 0)
            return false;
        const uint64_t recent = recentBytes * 800 / (static_cast<uint64_t>(width) * recentCodes);
        const uint64_t sinceClear = bytesSinceClear * 800 / bitsSinceClear;
        return sinceClear > recent;
    }
};

// The most bytes `codes` codes can stand for: the k-th code after a clear names at most k bytes.
uint64_t longestOutput(uint64_t codes)
{
    if (codes <= kLongestString)
        return codes * (codes + 1) / 2;
    return kLongestString * (kLongestString + 1) / 2 + (codes - kLongestString) * kLongestString;
}

} // namespace

CLZWCompression::CLZWCompression(char* data, int size)
    : CCompression(data, size)
{
}

char* CLZWCompression::compress(int& length)
{
    const auto* input = reinterpret_cast<const unsigned char*>(data_);
    const int inputLength = data_ == nullptr || size_ < 0 ? 0 : size_;
    CodeWriter writer;
    uint32_t codes = 0;
    if (inputLength > 0) {
        EncoderDictionary dictionary;
        RatioTracker ratio;
        int width = kStartWidth;
        int nextCode = kFirstStringCode;
        int codesBeforeGrowth = 1 << (kStartWidth - 1);
        auto write = [&](int code) {
            writer.put(code, width);
            ++codes;
        };

        write(kClearCode);
        int current = input[0];
        ratio.byteRead();
        bool streamEnded = false;
        int position = 1;
        while (position < inputLength) {
            const unsigned char byte = input[position++];
            ratio.byteRead();
            const int extended = dictionary.find(current, byte);
            if (extended != kNoCode) {
                current = extended;
                continue;
            }
            if (nextCode < kDictionarySize)
                dictionary.add(nextCode++, current, byte);
            write(current);
            ratio.codeWritten(width);
            current = byte;
            --codesBeforeGrowth;
            if (codesBeforeGrowth == 2) {
                const bool restart = width >= kWidthWorthRestarting && ratio.recentWorse(width);
                ratio.startStretch();
                if (restart) {
                    write(byte);
                    write(kClearCode);
                    dictionary.clear();
                    width = kStartWidth;
                    nextCode = kFirstStringCode;
                    codesBeforeGrowth = 1 << (kStartWidth - 1);
                    ratio = RatioTracker();
                    if (position >= inputLength) {
                        streamEnded = true;
                        break;
                    }
                    current = input[position++];
                    ratio.byteRead();
                }
            } else if (codesBeforeGrowth == 0) {
                if (width < kWidestCode) {
                    codesBeforeGrowth = 1 << width;
                    ++width;
                    ratio.startStretch();
                } else {
                    codesBeforeGrowth = kCodesBetweenChecksAtWidest;
                }
            }
        }
        if (!streamEnded)
            write(current);
    }

    const std::vector<char>& stream = writer.finish();
    length = kHeaderBytes + static_cast<int>(stream.size());
    char* block = new char[length];
    writeU32(block, static_cast<uint32_t>(inputLength));
    writeU32(block + 4, static_cast<uint32_t>(stream.size()));
    writeU32(block + 8, codes);
    if (!stream.empty())
        std::memcpy(block + kHeaderBytes, stream.data(), stream.size());
    return block;
}

char* CLZWCompression::decompress(int)
{
    if (data_ == nullptr || size_ < kHeaderBytes)
        return nullptr;
    const uint32_t unpacked = readU32(data_);
    const uint32_t streamLength = readU32(data_ + 4);
    uint32_t codesLeft = readU32(data_ + 8);
    if (streamLength > static_cast<uint32_t>(size_ - kHeaderBytes))
        return nullptr;
    if (static_cast<uint64_t>(codesLeft) * kStartWidth > static_cast<uint64_t>(streamLength) * 8)
        return nullptr;
    if (unpacked > kMaxUnpackedBytes || unpacked > longestOutput(codesLeft))
        return nullptr;

    std::unique_ptr<char[]> output(new char[unpacked]);
    auto* out = reinterpret_cast<unsigned char*>(output.get());
    // Entry k is the string of entry prefix[k] followed by lastByte[k].
    auto prefix = codeTable<uint16_t>();
    auto lastByte = codeTable<unsigned char>();
    auto firstByte = codeTable<unsigned char>();
    auto stringLength = codeTable<uint32_t>();
    for (int byte = 0; byte < kClearCode; ++byte) {
        lastByte[byte] = firstByte[byte] = static_cast<unsigned char>(byte);
        stringLength[byte] = 1;
    }

    CodeReader reader(reinterpret_cast<const unsigned char*>(data_) + kHeaderBytes, streamLength);
    int width = kStartWidth;
    int nextCode = kFirstStringCode;
    int previous = kNoCode;
    uint32_t written = 0;
    // Writes the string of `code` at the output's end, from its last byte back to its first.
    auto writeString = [&](int code, uint32_t at) {
        for (uint32_t end = at + stringLength[code]; code >= kClearCode; code = prefix[code])
            out[--end] = lastByte[code];
        out[at] = static_cast<unsigned char>(code);
    };

    while (codesLeft > 0) {
        int code;
        if (!reader.get(width, code))
            return nullptr;
        --codesLeft;
        if (code == kClearCode) {
            width = kStartWidth;
            nextCode = kFirstStringCode;
            previous = kNoCode;
            if (codesLeft == 0)
                break;
            --codesLeft;
            if (!reader.get(width, code) || code >= kClearCode || written >= unpacked)
                return nullptr;
            out[written++] = static_cast<unsigned char>(code);
            previous = code;
            continue;
        }
        uint32_t length;
        if (code < kClearCode || (code >= kFirstStringCode && code < nextCode)) {
            length = stringLength[code];
            if (length > unpacked - written)
                return nullptr;
            writeString(code, written);
        } else if (code == nextCode && previous != kNoCode) {
            length = stringLength[previous] + 1;
            if (length > unpacked - written)
                return nullptr;
            writeString(previous, written);
            out[written + length - 1] = firstByte[previous];
        } else {
            return nullptr;
        }
        if (previous != kNoCode && nextCode < kDictionarySize) {
            prefix[nextCode] = static_cast<uint16_t>(previous);
            lastByte[nextCode] = out[written];
            firstByte[nextCode] = firstByte[previous];
            stringLength[nextCode] = stringLength[previous] + 1;
            ++nextCode;
        }
        previous = code;
        written += length;
        if (width < kWidestCode && nextCode >= (1 << width))
            ++width;
    }
    if (written != unpacked)
        return nullptr;
    size_ = static_cast<int>(unpacked);
    return output.release();
}
