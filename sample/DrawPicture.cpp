// Draws one of the sample application's pictures (the scenes' backgrounds, the buttons' looks and
// the edit box's caret) with our own canvas, and writes it twice: as the IMG file of the sample,
// at 16-bit 5-6-5 packed by runs and placed where the scene shows it, and as a PNG file of its
// 24-bit pixels, which is what the program must show of it. Hard edges and integer arithmetic
// make both files the same on every machine.
// Usage: DrawPicture <name> <img file> <png file>
#include "graphics/CGraphicsObject.h"
#include "graphics/CImageFile.h"
#include "platform/PngWriter.h"
#include "sample/RgbCanvas.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Drawing {
    std::string name;
    int width;
    int height;
    // Where the scene shows the picture.
    CanvasPoint position;
    std::function<void(RgbCanvas&)> draw;
};

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kButtonWidth = 200;
constexpr int kButtonHeight = 50;
constexpr int kButtonEdge = 3;

Drawing background(const char* name, Rgb top, Rgb bottom, std::function<void(RgbCanvas&)> shapes)
{
    return {name, kScreenWidth, kScreenHeight, {0, 0}, [=](RgbCanvas& canvas) {
                canvas.fillVerticalGradient(top, bottom);
                shapes(canvas);
            }};
}

std::vector<Drawing> drawings()
{
    std::vector<Drawing> all;
    // A button's three looks, 200 x 50: standard, under the pointer, pressed.
    struct Look {
        const char* state;
        Rgb fill;
        Rgb edge;
    };
    const Look looks[] = {{"standard", Rgb::hex(0x2f6f8f), Rgb::hex(0xbfe7f7)},
                          {"onmove", Rgb::hex(0x4f9fbf), Rgb::hex(0xffffff)},
                          {"onclick", Rgb::hex(0x1c4a60), Rgb::hex(0x8fb7c7)}};
    const std::pair<const char*, CanvasPoint> buttons[] = {{"Start", {300, 370}}, {"Quit", {300, 440}}};
    for (const auto& [button, place] : buttons)
        for (const Look& look : looks)
            all.push_back({std::string(button) + "-" + look.state, kButtonWidth, kButtonHeight, place,
                           [look](RgbCanvas& canvas) {
                               canvas.fillRectangle({0, 0}, {kButtonWidth - 1, kButtonHeight - 1}, look.fill);
                               canvas.frameRectangle({0, 0}, {kButtonWidth - 1, kButtonHeight - 1}, kButtonEdge,
                                                     look.edge);
                           }});
    all.push_back({"Caret", 2, 22, {0, 0}, [](RgbCanvas& canvas) {
                       canvas.fillRectangle({0, 0}, {1, 21}, Rgb::hex(0xfff4d0));
                   }});

    all.push_back(background("Title", Rgb::hex(0x14324a), Rgb::hex(0x3f7f8c), [](RgbCanvas& canvas) {
        canvas.fillRoundRectangle({90, 50}, {710, 350}, 24, Rgb::hex(0x1d4660));
        canvas.fillRectangle({0, 540}, {799, 599}, Rgb::hex(0x0f2636));
    }));
    all.push_back(background("Name", Rgb::hex(0x4a2a14), Rgb::hex(0xb8743c), [](RgbCanvas& canvas) {
        canvas.fillRoundRectangle({230, 190}, {570, 250}, 12, Rgb::hex(0x5c3519));
        canvas.fillRectangle({0, 550}, {799, 599}, Rgb::hex(0x2e1a0c));
    }));
    // The sun rising behind the hills: DrawSunrays fans its rays out around the same middle.
    all.push_back(background("Dawn", Rgb::hex(0x20305e), Rgb::hex(0xf2a65a), [](RgbCanvas& canvas) {
        canvas.fillCircle({400, 560}, 90, Rgb::hex(0xffd27a));
        canvas.fillPolygon({{0, 599}, {0, 520}, {180, 470}, {360, 540}, {520, 480}, {799, 530}, {799, 599}},
                           Rgb::hex(0x27331f));
    }));
    all.push_back(background("Noon", Rgb::hex(0x3d8fd6), Rgb::hex(0xbfe3ff), [](RgbCanvas& canvas) {
        canvas.fillCircle({620, 120}, 60, Rgb::hex(0xfff4b0));
        canvas.fillRectangle({0, 470}, {799, 599}, Rgb::hex(0x4f9a3a));
        canvas.fillDome({200, 470}, 220, 50, Rgb::hex(0x3b7a2b));
    }));
    // A crescent moon (a circle of the night's colour over the full one), stars and hills.
    all.push_back(background("Dusk", Rgb::hex(0x0d0b26), Rgb::hex(0x7a2d4f), [](RgbCanvas& canvas) {
        canvas.fillCircle({150, 110}, 40, Rgb::hex(0xf0e6c8));
        canvas.fillCircle({168, 98}, 36, Rgb::hex(0x0f0d2a));
        for (const CanvasPoint star : {CanvasPoint{420, 60}, {520, 130}, {610, 45}, {700, 110}})
            canvas.setPixel(star, Rgb::hex(0xfff8e0));
        canvas.fillPolygon({{0, 599}, {0, 480}, {250, 400}, {480, 500}, {650, 430}, {799, 470}, {799, 599}},
                           Rgb::hex(0x160f1e));
    }));
    return all;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: DrawPicture <name> <img file> <png file>\n", stderr);
        return 2;
    }
    const std::string name = argv[1];
    const std::vector<Drawing> all = drawings();
    const auto drawing = std::find_if(all.begin(), all.end(), [&](const Drawing& d) { return d.name == name; });
    if (drawing == all.end()) {
        std::fprintf(stderr, "DrawPicture: the sample has no picture \"%s\"\n", argv[1]);
        return 2;
    }
    RgbCanvas canvas(drawing->width, drawing->height, Rgb{0, 0, 0});
    drawing->draw(canvas);

    const std::unique_ptr<CGraphicsObject> picture = canvas.picture();
    picture->SetPosition(drawing->position.x, drawing->position.y);
    CImageFile file(nullptr);
    if (file.Save(picture.get(), CXString(argv[2]), COMPRESSION_RLE) != FILETYPE_IMG) {
        std::fprintf(stderr, "DrawPicture: \"%s\" cannot be written\n", argv[2]);
        return 1;
    }
    std::string cause;
    if (!platform::writePngFile(argv[3], canvas.image(), 0, cause)) {
        std::fprintf(stderr, "DrawPicture: %s\n", cause.c_str());
        return 1;
    }
    return 0;
}
