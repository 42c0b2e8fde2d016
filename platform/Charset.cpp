#include "platform/Charset.h"

#include <array>
#include <cstdint>

namespace platform {

namespace {

// Code points of the bytes 0x80 to 0xFF.
constexpr std::array<uint16_t, 128> kUpperHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

void appendUtf8(std::string& out, uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `at`; null for a malformed, overlong or surrogate sequence.
std::optional<uint32_t> nextCodePoint(std::string_view text, size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    int length = 0;
    uint32_t value = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (at + length > text.size())
        return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    at += length;
    return value;
}

std::optional<char> cp1250Byte(uint32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<char>(codePoint);
    for (size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

std::string cp1250ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(out, byte < 0x80 ? byte : kUpperHalf[byte - 0x80]);
    }
    return out;
}

std::optional<std::string> utf8ToCp1250(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const std::optional<uint32_t> codePoint = nextCodePoint(text, at);
        if (!codePoint)
            return std::nullopt;
        const std::optional<char> byte = cp1250Byte(*codePoint);
        if (!byte)
            return std::nullopt;
        out += *byte;
    }
    return out;
}

unsigned char cp1250ToLower(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    switch (c) {
    case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F:
        return c + 0x10;
    case 0xA3: return 0xB3;
    case 0xA5: return 0xB9;
    case 0xAA: return 0xBA;
    case 0xAF: return 0xBF;
    case 0xBC: return 0xBE;
    default:
        break;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    return c;
}

bool cp1250EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (cp1250ToLower(static_cast<unsigned char>(a[i])) != cp1250ToLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string cp1250Folded(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(cp1250ToLower(static_cast<unsigned char>(c)));
    return folded;
}

std::string engineNameOfDiskName(std::string_view diskName)
{
    std::optional<std::string> converted = utf8ToCp1250(diskName);
    return converted ? std::move(*converted) : std::string(diskName);
}

} // namespace platform
