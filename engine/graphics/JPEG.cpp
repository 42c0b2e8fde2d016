#include "graphics/JPEG.h"

#include "graphics/CColor.h"
#include "platform/FileSystem.h"
#include "platform/PathResolver.h"

#include <cstdint>
#include <cstdio>
#include <csetjmp>
#include <vector>

#include <jpeglib.h>

namespace {

// Pictures above this many pixels are refused before a byte of them is decoded.
constexpr uint64_t kMaxPixels = uint64_t{1} << 26;
// What the decoder may allocate for its own tables and buffers.
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Level -1 is a warning about damaged data: the picture would decode with grey holes.
void onMessage(j_common_ptr info, int level)
{
    if (level < 0)
        jumpBack(info);
}

void stayQuiet(j_common_ptr)
{
}

} // namespace

// libjpeg reports errors by a long jump: the functions that call it keep no object that needs
// a destructor between their setjmp and the library's calls.
struct JPEG::Decoder {
    jpeg_decompress_struct info {};
    ErrorManager errors {};
    bool created = false;
    std::unique_ptr<platform::FileStream> file;
    std::vector<unsigned char> bytes;

    bool begin();
    char* decode(int bpp, int width, int height);
    ~Decoder()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

bool JPEG::Decoder::begin()
{
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpBack;
    errors.base.emit_message = onMessage;
    errors.base.output_message = stayQuiet;
    if (setjmp(errors.jump) != 0)
        return false;
    jpeg_create_decompress(&info);
    created = true;
    info.mem->max_memory_to_use = kMaxDecoderMemory;
    if (file)
        jpeg_stdio_src(&info, file->handle());
    else
        jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK)
        return false;
    if (uint64_t{info.image_width} * info.image_height > kMaxPixels)
        return false;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    return info.output_components == 3 && info.output_width > 0 && info.output_height > 0;
}

char* JPEG::Decoder::decode(int bpp, int width, int height)
{
    char* pixels = new char[static_cast<size_t>(width) * height * 2];
    auto* row = new unsigned char[static_cast<size_t>(width) * 3];
    if (setjmp(errors.jump) != 0) {
        delete[] row;
        delete[] pixels;
        return nullptr;
    }
    while (info.output_scanline < info.output_height) {
        const size_t y = info.output_scanline;
        JSAMPROW rows[1] = {row};
        if (jpeg_read_scanlines(&info, rows, 1) != 1)
            jumpBack(reinterpret_cast<j_common_ptr>(&info));
        char* out = pixels + y * width * 2;
        for (int x = 0; x < width; ++x) {
            const unsigned char* rgb = row + x * 3;
            const uint16_t word = CColor::PixelWord(bpp, rgb[0], rgb[1], rgb[2]);
            out[x * 2] = static_cast<char>(word & 0xFF);
            out[x * 2 + 1] = static_cast<char>(word >> 8);
        }
    }
    jpeg_finish_decompress(&info);
    delete[] row;
    return pixels;
}

JPEG::JPEG(const char* path)
    : decoder_(std::make_unique<Decoder>())
{
    if (path != nullptr)
        decoder_->file = platform::FileStream::open(platform::resolvePath(path), "rb");
    if (decoder_->file)
        start();
}

JPEG::JPEG(const char* data, long length)
    : decoder_(std::make_unique<Decoder>())
{
    if (data == nullptr || length <= 0)
        return;
    decoder_->bytes.assign(data, data + length);
    start();
}

JPEG::~JPEG() = default;

void JPEG::start()
{
    if (!decoder_->begin())
        return;
    width_ = static_cast<int>(decoder_->info.output_width);
    height_ = static_cast<int>(decoder_->info.output_height);
    open_ = true;
}

char* JPEG::decompress(int bpp)
{
    if (!isOpen())
        return nullptr;
    char* pixels = decoder_->decode(bpp, width_, height_);
    decoder_.reset();
    open_ = false;
    return pixels;
}
