#include "platform/PngWriter.h"

#include "platform/FileSystem.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cmath>
#include <vector>
#include <zlib.h>

namespace platform {

namespace {

constexpr size_t kChunkData = 65536;

void putBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 24));
    out.push_back(static_cast<uint8_t>(value >> 16));
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

bool writeChunk(const ByteSink& sink, const char (&type)[5], const uint8_t* data, size_t count)
{
    std::vector<uint8_t> chunk;
    chunk.reserve(count + 12);
    putBigEndian(chunk, static_cast<uint32_t>(count));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data, data + count);
    putBigEndian(chunk, static_cast<uint32_t>(crc32(0, chunk.data() + 4, static_cast<uInt>(count + 4))));
    return sink(chunk.data(), chunk.size());
}

// Streams the filtered rows through deflate and cuts what comes out into IDAT chunks.
class ImageDataWriter {
public:
    explicit ImageDataWriter(const ByteSink& sink)
        : sink_(sink)
    {
        ok_ = deflateInit(&stream_, Z_DEFAULT_COMPRESSION) == Z_OK;
    }
    ~ImageDataWriter() { deflateEnd(&stream_); }
    ImageDataWriter(const ImageDataWriter&) = delete;
    ImageDataWriter& operator=(const ImageDataWriter&) = delete;

    bool add(const uint8_t* bytes, size_t count) { return pump(bytes, count, Z_NO_FLUSH); }
    bool finish() { return pump(nullptr, 0, Z_FINISH) && flushChunk(); }

private:
    bool pump(const uint8_t* bytes, size_t count, int flush)
    {
        if (!ok_)
            return false;
        stream_.next_in = const_cast<Bytef*>(bytes);
        stream_.avail_in = static_cast<uInt>(count);
        for (;;) {
            stream_.next_out = out_.data() + used_;
            stream_.avail_out = static_cast<uInt>(out_.size() - used_);
            const int result = deflate(&stream_, flush);
            used_ = out_.size() - stream_.avail_out;
            if (result == Z_STREAM_ERROR)
                return ok_ = false;
            if (used_ == out_.size() && !flushChunk())
                return false;
            if (flush == Z_FINISH ? result == Z_STREAM_END : stream_.avail_in == 0 && stream_.avail_out != 0)
                return true;
        }
    }

    bool flushChunk()
    {
        if (used_ == 0)
            return true;
        ok_ = writeChunk(sink_, "IDAT", out_.data(), used_);
        used_ = 0;
        return ok_;
    }

    const ByteSink& sink_;
    z_stream stream_{};
    std::array<uint8_t, kChunkData> out_{};
    size_t used_ = 0;
    bool ok_ = false;
};

} // namespace

bool writePng(const RgbImage& image, int dotsPerInch, const ByteSink& sink)
{
    if (image.width <= 0 || image.height <= 0
        || image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3)
        return false;
    static const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!sink(signature, sizeof signature))
        return false;

    std::vector<uint8_t> header;
    putBigEndian(header, static_cast<uint32_t>(image.width));
    putBigEndian(header, static_cast<uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits per channel, RGB, deflate, adaptive filters, no interlace
    if (!writeChunk(sink, "IHDR", header.data(), header.size()))
        return false;

    if (dotsPerInch > 0) {
        std::vector<uint8_t> physical;
        const auto perMetre = static_cast<uint32_t>(std::lround(dotsPerInch / 0.0254));
        putBigEndian(physical, perMetre);
        putBigEndian(physical, perMetre);
        physical.push_back(1); // the unit is the metre
        if (!writeChunk(sink, "pHYs", physical.data(), physical.size()))
            return false;
    }

    // Each row with the "Sub" filter: flat areas and smooth gradients become runs of
    // small numbers, which deflate packs far better than the raw bytes.
    ImageDataWriter data(sink);
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    std::vector<uint8_t> filtered(rowBytes + 1);
    filtered[0] = 1;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* row = image.row(y);
        for (size_t i = 0; i < rowBytes; ++i)
            filtered[i + 1] = static_cast<uint8_t>(row[i] - (i >= 3 ? row[i - 3] : 0));
        if (!data.add(filtered.data(), filtered.size()))
            return false;
    }
    if (!data.finish())
        return false;
    return writeChunk(sink, "IEND", nullptr, 0);
}

bool writePngFile(const std::string& path, const RgbImage& image, int dotsPerInch, std::string& cause)
{
    const auto fail = [&](int error) {
        cause = cannotWrite(path, error != 0 ? whyNotWritten(path, error) : "no picture");
        return false;
    };
    errno = 0;
    const std::unique_ptr<FileStream> file = FileStream::openReplacing(path, "wb");
    if (!file)
        return fail(errno);
    const bool encoded = writePng(image, dotsPerInch, [&](const uint8_t* bytes, size_t count) {
        return std::fwrite(bytes, 1, count, file->handle()) == count;
    });
    if (!encoded) {
        const int error = errno;
        file->discard();
        return fail(error);
    }
    return file->commit() || fail(errno);
}

} // namespace platform
