// A full 800 x 600 16-bit screen of text: 40 lines of 100 letters with bold pairs and colour
// tags, shown by a TEXT's multi-line text. A frame's drawing of it (as the screen composer
// draws it, clipped to its box) against the raster blitter drawing the same glyph rectangles
// straight from the same strips; and setting the whole text again against a frame's drawing.
#include "foundation/CFile_Stream.h"
#include "text/CFontCollection.h"
#include "text/CMultilineText6.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 40;
constexpr int kLetters = 100;
// Each letter and the blank advance 8 pixels; lines stand 19 - 4 pixels apart.
constexpr int kCell = 8;
constexpr int kHeight = 19;
constexpr int kFirstCode = 33;
constexpr int kCodes = 94;

uint32_t nextNoise(uint32_t& state)
{
    state = state * 214013u + 2531011u;
    return state >> 16 & 0x7FFF;
}

// The glyph rectangles that a font draws, noted while noting is on.
class NotingFont : public CSimpleFont6 {
public:
    struct Glyph {
        CSimpleFont6* font;
        CXPoint at;
        CXRect clip;
    };

    explicit NotingFont(std::vector<Glyph>* glyphs)
        : CSimpleFont6(nullptr)
        , glyphs_(glyphs)
    {
    }
    void Redraw() override
    {
        if (noting)
            glyphs_->push_back({this, GetPosition(), GetClippingRect()});
        CSimpleFont6::Redraw();
    }
    bool noting = false;

private:
    std::vector<Glyph>* glyphs_;
};

// Letters '!' to '~' (and 'l' among them, the blank's width) whose ink is 6 pixels wide
// and soft edges: alpha 255 inside, some other value at the border of the ink.
std::string fntBytes(uint32_t seed)
{
    const int width = kCodes * kCell;
    std::string bytes("FNT", 4);
    for (int value : {width, kHeight, 16, kCodes})
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(static_cast<uint32_t>(value) >> (8 * i) & 0xFF);
    for (int i = 0; i < kCodes; ++i)
        bytes += static_cast<char>(kFirstCode + i);
    bytes.append(static_cast<size_t>(kCodes * kCodes), '\0');
    bytes.append(static_cast<size_t>(kCodes), '\1');
    bytes.append(static_cast<size_t>(kCodes), '\1');
    bytes.append(static_cast<size_t>(width * kHeight * 2), '\x7F');
    uint32_t noise = seed;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < width; ++x) {
            const int column = x % kCell;
            const bool ink = column >= 1 && column <= 6 && y >= 3 && y <= 15 && nextNoise(noise) % 3 != 0;
            const bool edge = column == 1 || column == 6 || y == 3 || y == 15;
            bytes += static_cast<char>(!ink ? 0 : edge ? 64 + nextNoise(noise) % 128 : 255);
        }
    return bytes;
}

// Lines of words of seven letters and a blank; every line has a bold pair, every fourth a
// colour tag.
std::string markup()
{
    std::string text;
    uint32_t noise = 7;
    for (int line = 0; line < kLines; ++line) {
        if (line > 0)
            text += '|';
        for (int i = 0; i < kLetters; ++i) {
            if (i == 24)
                text += "<B>";
            if (i == 40)
                text += "<B>";
            if (i == 60 && line % 4 == 0)
                text += "<COLOR31>";
            text += i % 8 == 7 ? ' ' : static_cast<char>('a' + nextNoise(noise) % 26);
        }
    }
    return text;
}

struct Screen {
    Screen()
        : frame(nullptr, CXSize(800, 600), 16)
        , markupText(markup().c_str())
        , text(nullptr, nullptr)
    {
        std::memset(frame.GetDataPtr(), 0x21, 800 * 600 * 2);
        uint32_t seed = 1;
        for (const char* style : {"STANDARD", "BOLD"}) {
            const std::string bytes = fntBytes(seed++);
            auto font = std::make_unique<NotingFont>(&glyphs);
            CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
            font->Load(&file);
            font->setFamily("F");
            font->setStyle(style);
            font->setSize(10);
            fonts.addFont(font.get());
            members.push_back(std::move(font));
        }
        text.setJustify(CXRect(0, 0, 800, 600), JUSTIFY_LEFT, JUSTIFY_TOP);
        text.setFont(&fonts);
        text.setText(markupText);
        text.SetDestiny(&frame);
        for (auto& font : members)
            font->noting = true;
        drawText();
        for (auto& font : members) {
            font->noting = false;
            strips.push_back(std::make_unique<CGraphicsObject>(nullptr, *font));
        }
    }

    // As the screen composer draws an invalidated object: clipped to its box.
    void drawText()
    {
        text.SetClippingRect(text.GetBoundingBox() - text.GetPosition());
        text.Redraw();
        text.SetClippingRect(CXRect());
    }

    // The same glyph rectangles, each one blit from a raster sharing its font's strip.
    void drawGlyphs()
    {
        for (const NotingFont::Glyph& glyph : glyphs) {
            CGraphicsObject& strip = *strips[glyph.font == members[0].get() ? 0 : 1];
            strip.SetPosition(glyph.at.x, glyph.at.y);
            strip.SetClippingRect(glyph.clip);
            strip.redraw(&frame);
        }
    }

    CGraphicsObject frame;
    CXString markupText;
    std::vector<NotingFont::Glyph> glyphs;
    std::vector<std::unique_ptr<NotingFont>> members;
    std::vector<std::unique_ptr<CGraphicsObject>> strips;
    CFontCollection fonts{nullptr};
    CMultilineText6 text;
};

Screen& screen()
{
    static Screen shown;
    return shown;
}

void finish(benchmark::State& state)
{
    benchmark::DoNotOptimize(screen().frame.GetDataPtr());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(screen().glyphs.size()));
}

void TextRedraw(benchmark::State& state)
{
    Screen& s = screen();
    for (auto _ : state) {
        s.drawText();
        benchmark::ClobberMemory();
    }
    finish(state);
}

void GlyphBlits(benchmark::State& state)
{
    Screen& s = screen();
    for (auto _ : state) {
        s.drawGlyphs();
        benchmark::ClobberMemory();
    }
    finish(state);
}

void TextSetText(benchmark::State& state)
{
    Screen& s = screen();
    for (auto _ : state) {
        s.text.setText(s.markupText);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kLines * kLetters);
}

} // namespace

BENCHMARK(TextRedraw)->Name("Kestrum/TextFrame/Redraw");
BENCHMARK(GlyphBlits)->Name("RasterBlitter/TextFrame/SameGlyphs");
BENCHMARK(TextSetText)->Name("Kestrum/TextFrame/SetText");
