#pragma once

#include "graphics/CByteReader.h"

#include "ImgFixtures.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Pieces of ANN files, laid out by hand, field by field.
namespace ann {

inline std::string zeros(size_t count)
{
    return std::string(count, '\0');
}

// A text of fixed width, NUL-padded.
inline std::string fixed(const std::string& text, size_t width)
{
    return text + zeros(width - text.size());
}

// The 44-byte header of the current generation.
inline std::string header(const char* signature, int images, int depth, int events, uint32_t fps, uint32_t flags,
                          int opacity, int randomFrames)
{
    CByteWriter out;
    out.bytes(signature, 4).u16(images).u16(depth).u16(events).bytes(zeros(13).data(), 13);
    out.u32(fps).u32(flags).u8(opacity).u16(static_cast<uint16_t>(randomFrames)).bytes(zeros(10).data(), 10);
    return bytesOf(out);
}

// A u32 length and the bytes.
inline std::string text(const std::string& bytes)
{
    CByteWriter out;
    out.u32(static_cast<uint32_t>(bytes.size()));
    return bytesOf(out) + bytes;
}

struct Event {
    std::string name;
    std::vector<uint16_t> frames;
    int loopStart = 0;
    int loopEnd = 0;
    int loopCount = 0;
    uint32_t fps = 15;
    uint32_t flags = 0;
    int opacity = 255;
};

// The 67-byte record, then the indices.
inline std::string event(const Event& e)
{
    CByteWriter out;
    out.bytes(fixed(e.name, 32).data(), 32).u16(static_cast<uint32_t>(e.frames.size())).u32(0);
    out.u16(e.loopStart).u16(e.loopEnd).u16(e.loopCount).u16(0).u32(e.fps).u32(e.flags).u8(e.opacity);
    out.bytes(zeros(12).data(), 12);
    for (const uint16_t index : e.frames)
        out.u16(index);
    return bytesOf(out);
}

// A text of a frame record: its length with the NUL, the bytes and the NUL.
inline std::string string(const std::string& text)
{
    CByteWriter out;
    out.u32(static_cast<uint32_t>(text.size() + 1)).bytes(text.c_str(), text.size() + 1);
    return bytesOf(out);
}

struct Frame {
    std::optional<std::string> name;
    std::optional<std::string> second;
    int dx = 0;
    int dy = 0;
    std::optional<std::string> sound;
    int opacity = 255;
};

// The 30-byte record, then its texts.
inline std::string frame(const Frame& f)
{
    CByteWriter out;
    out.u32(f.name ? 1 : 0).u32(f.second ? 1 : 0).u16(static_cast<uint16_t>(f.dx)).u16(static_cast<uint16_t>(f.dy));
    out.u32(0xFFFFFFFF).u32(f.sound ? 1 : 0).u32(0).u8(f.opacity).u8(0).u32(0);
    std::string bytes = bytesOf(out);
    for (const auto* part : {&f.name, &f.second, &f.sound})
        if (*part)
            bytes += string(**part);
    return bytes;
}

// An image header of the current (52 bytes) or middle (32) generation.
inline std::string image(int width, int height, int x, int y, int code, uint32_t colourLength,
                         const std::vector<uint32_t>& lengths, size_t size = 52)
{
    CByteWriter out;
    out.u16(width).u16(height).u16(static_cast<uint16_t>(x)).u16(static_cast<uint16_t>(y)).u16(code);
    out.u32(colourLength).u16(static_cast<uint32_t>(lengths.size()));
    for (const uint32_t length : lengths)
        out.u32(length);
    const std::string bytes = bytesOf(out);
    return bytes + zeros(size - bytes.size());
}

// A 2 × 2 16-bit picture and its alpha plane, as planes are stored.
inline std::string picture(uint16_t first)
{
    return asBytes({first, static_cast<uint16_t>(first + 1), static_cast<uint16_t>(first + 2),
                    static_cast<uint16_t>(first + 3)});
}

inline const std::string kAlpha("\xFF\x80\x40\x00", 4);

} // namespace ann
