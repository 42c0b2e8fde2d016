// Text layout: the input, after two bytes that give the area's width and the colour, is markup
// set into a one-line text and a multi-line text over a collection of three styles and drawn
// into a small raster, whole and clipped; then the single font takes it.
#include "foundation/CFile_Stream.h"
#include "text/CFontCollection.h"
#include "text/CMultilineText6.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

// A font of letters a to z, blank cells with a column of ink in each, of the style's width.
std::unique_ptr<CSimpleFont6> font(const char* style, int cell)
{
    const int letters = 26;
    const int height = 6;
    const int width = letters * cell;
    std::string bytes("FNT", 4);
    for (int value : {width, height, 16, letters})
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(static_cast<uint32_t>(value) >> (8 * i) & 0xFF);
    for (int i = 0; i < letters; ++i)
        bytes += static_cast<char>('a' + i);
    for (int i = 0; i < letters * letters; ++i)
        bytes += static_cast<char>(i % 3 - 1);
    bytes.append(static_cast<size_t>(letters), '\1');
    bytes.append(static_cast<size_t>(letters), '\1');
    bytes.append(static_cast<size_t>(width * height * 2), '\x55');
    for (int p = 0; p < width * height; ++p)
        bytes += p % cell == 1 ? '\xFF' : '\0';
    auto made = std::make_unique<CSimpleFont6>(nullptr);
    CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
    made->Load(&file);
    made->setFamily("F");
    made->setStyle(style);
    made->setSize(10);
    return made;
}

struct Fonts {
    Fonts()
    {
        for (const char* style : {"STANDARD", "BOLD", "ITALIC"})
            members.push_back(font(style, static_cast<int>(members.size()) + 3));
        for (const auto& member : members)
            collection.addFont(member.get());
    }
    std::vector<std::unique_ptr<CSimpleFont6>> members;
    CFontCollection collection{nullptr};
};

void lay(CText6& text, CSimpleFont6* font, const CXString& markup, int width, int colour)
{
    CGraphicsObject canvas(nullptr, CXSize(64, 32), 16);
    text.SetDestiny(&canvas);
    text.setJustify(CXRect(-3, -2, width - 3, 30), JUSTIFY_CENTER, JUSTIFY_BOTTOM);
    text.setFont(font);
    text.setText(markup);
    text.Redraw();
    text.SetClippingRect(CXRect(2, 1, 20, 9));
    text.Redraw();
    text.setColor(colour);
    text.Move(1, -1);
    text.getLength();
    text.Redraw();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Fonts fonts;
    if (size < 2)
        return 0;
    const int width = data[0];
    const int colour = data[1] * 257;
    const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    const CXString markup(bytes.c_str());
    for (CSimpleFont6* font : {static_cast<CSimpleFont6*>(&fonts.collection), fonts.members[0].get()}) {
        CText6 line(nullptr, nullptr);
        lay(line, font, markup, width, colour);
        CMultilineText6 block(nullptr, nullptr);
        lay(block, font, markup, width, colour);
    }
    return 0;
}
