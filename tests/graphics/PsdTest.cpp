#include "graphics/CPSD.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Big-endian bytes of a PSD document.
class PsdWriter {
public:
    PsdWriter& u8(uint32_t v) { return number(v, 1); }
    PsdWriter& u16(uint32_t v) { return number(v, 2); }
    PsdWriter& u32(uint32_t v) { return number(v, 4); }
    PsdWriter& text(const std::string& s)
    {
        bytes += s;
        return *this;
    }
    std::string bytes;

private:
    PsdWriter& number(uint32_t v, int count)
    {
        for (int i = count - 1; i >= 0; --i)
            bytes += static_cast<char>(v >> (8 * i) & 0xFF);
        return *this;
    }
};

struct Channel {
    int16_t id;
    uint16_t compression;
    std::string data; // as stored after the compression word
};

struct Layer {
    CXRect rect;
    std::string name;
    std::vector<Channel> channels;
    std::string extraBlocks; // additional layer information
};

// A plane of one byte repeated, stored raw.
Channel raw(int16_t id, const std::string& plane)
{
    return {id, 0, plane};
}

// PackBits rows: each row one run of its first byte when the row is uniform, else one literal
// packet; every row ends with the -128 byte that picture tools pad with.
Channel packBits(int16_t id, const std::string& plane, int width, int height)
{
    std::string counts;
    std::string rows;
    for (int y = 0; y < height; ++y) {
        const std::string row = plane.substr(static_cast<size_t>(y) * width, static_cast<size_t>(width));
        std::string coded;
        if (row.find_first_not_of(row[0]) == std::string::npos)
            coded = std::string(1, static_cast<char>(1 - width)) + row[0];
        else
            coded = std::string(1, static_cast<char>(width - 1)) + row;
        coded += static_cast<char>(0x80);
        counts += static_cast<char>(coded.size() >> 8);
        counts += static_cast<char>(coded.size() & 0xFF);
        rows += coded;
    }
    return {id, 1, counts + rows};
}

std::string document(const std::vector<Layer>& layers, int16_t count)
{
    PsdWriter records;
    records.u16(static_cast<uint16_t>(count));
    for (const Layer& layer : layers) {
        records.u32(layer.rect.top).u32(layer.rect.left).u32(layer.rect.bottom).u32(layer.rect.right);
        records.u16(static_cast<uint32_t>(layer.channels.size()));
        for (const Channel& c : layer.channels)
            records.u16(static_cast<uint16_t>(c.id)).u32(static_cast<uint32_t>(c.data.size() + 2));
        records.text("8BIMnorm").u8(255).u8(0).u8(0).u8(0);
        std::string name = std::string(1, static_cast<char>(layer.name.size())) + layer.name;
        name.resize((name.size() + 3) / 4 * 4, '\0');
        const std::string extra = std::string(8, '\0') + name + layer.extraBlocks;
        records.u32(static_cast<uint32_t>(extra.size())).text(extra);
    }
    for (const Layer& layer : layers)
        for (const Channel& c : layer.channels)
            records.u16(c.compression).text(c.data);
    PsdWriter file;
    file.text("8BPS").u16(1).text(std::string(6, '\0')).u16(3).u32(20).u32(20).u16(8).u16(3);
    file.u32(0).u32(4).text("junk");
    file.u32(static_cast<uint32_t>(records.bytes.size() + 4)).u32(static_cast<uint32_t>(records.bytes.size()));
    return file.text(records.bytes).u32(0).bytes;
}

std::string plane(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

std::vector<Layer> threeLayers()
{
    const std::string skyGreen = plane({9, 9, 9, 9, 1, 2, 3, 4, 7, 7, 7, 7});
    const std::string treeAlpha = plane({0, 128, 255, 255, 255, 255});
    return {
        {CXRect(0, 0, 4, 3), "sky",
         {raw(0, std::string(12, 'R')), packBits(1, skyGreen, 4, 3), raw(2, plane({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}))},
         ""},
        {CXRect(2, 1, 5, 3), "tree",
         {packBits(-1, treeAlpha, 3, 2), raw(0, "abcdef"), raw(1, "ghijkl"), raw(2, "mnopqr")},
         "8BIMluni" + std::string("\0\0\0\x04zzzz", 8)},
        // A user mask of its own size and a zip-packed channel are skipped by their lengths.
        {CXRect(10, 10, 12, 11), "sun",
         {raw(0, "ss"), {-2, 0, std::string(30, 'm')}, {1, 3, std::string(5, 'z')}, raw(2, "tt")}, ""},
    };
}

// The 24-bit pixels of a raster as blue, green, red bytes.
std::string pixelsOf(CGraphicsObject* raster)
{
    return std::string(raster->GetDataPtr(), static_cast<size_t>(raster->GetDataSize()));
}

} // namespace

TEST(CPSD, LayersBecomeNamedPlacedRasters)
{
    const std::string bytes = document(threeLayers(), -3);
    CPSD psd(nullptr);
    ASSERT_EQ(psd.LoadFromMemory(bytes.data(), bytes.size()), 0);
    ASSERT_EQ(psd.GetLayerCount(), 3);
    EXPECT_EQ(psd.GetSelectedLayer(), 0);

    CGraphicsObject* sky = psd.GetLayerObject(0);
    EXPECT_EQ(sky->GetBpp(), 24);
    EXPECT_EQ(sky->getRect(), CXRect(0, 0, 4, 3));
    EXPECT_EQ(sky->getFileName(), CXString("sky"));
    EXPECT_EQ(sky->GetAlphaPtr(), nullptr);
    const std::string blue = plane({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    const std::string green = plane({9, 9, 9, 9, 1, 2, 3, 4, 7, 7, 7, 7});
    std::string expected;
    for (int i = 0; i < 12; ++i)
        expected += std::string{blue[i], green[i], 'R'};
    EXPECT_EQ(pixelsOf(sky), expected);

    CGraphicsObject* tree = psd.GetLayerObject(1);
    EXPECT_EQ(tree->getRect(), CXRect(2, 1, 5, 3));
    EXPECT_EQ(pixelsOf(tree), "mganhboicpjdqkerlf");
    ASSERT_NE(tree->GetAlphaPtr(), nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(tree->GetAlphaPtr()), 6), plane({0, 128, 255, 255, 255, 255}));

    CGraphicsObject* sun = psd.GetLayerObject(2);
    EXPECT_EQ(pixelsOf(sun), std::string("t\0st\0s", 6)) << "the zip channel counts as missing";

    psd.SelectLayer(CXString("tree"));
    EXPECT_EQ(psd.GetSelectedLayer(), 1);
    EXPECT_EQ(psd.GetSelectedObject(), tree);
    EXPECT_EQ(psd.GetLayerName(-1), CXString("tree"));
    EXPECT_EQ(psd.GetLayerRect(-1), CXRect(2, 1, 5, 3));
    EXPECT_EQ(psd.GetLayerName(2), CXString("sun"));
    psd.SelectLayer(CXString("TREE"));
    EXPECT_EQ(psd.GetSelectedLayer(), 1) << "names compare exactly; no match keeps the selection";

    psd.SetPosition(CXPoint(7, 8));
    EXPECT_EQ(tree->getPosition(), CXPoint(7, 8));
    EXPECT_EQ(psd.GetLayerRect(1), CXRect(7, 8, 10, 10));

    for (int bad : {3, -2, 100}) {
        psd.SelectLayer(bad);
        EXPECT_EQ(psd.GetSelectedObject(), nullptr);
        EXPECT_EQ(psd.GetLayerName(-1), CXString(""));
        EXPECT_EQ(psd.GetLayerRect(-1), CXRect());
        EXPECT_EQ(psd.GetLayerName(bad), CXString(""));
        EXPECT_EQ(psd.GetLayerObject(bad), nullptr);
    }
    psd.SetPosition(CXPoint(1, 1));
}

TEST(CPSD, ASecondFileReplacesTheFirstFilesLayers)
{
    TempFolder folder;
    std::vector<Layer> one = threeLayers();
    one.resize(1);
    CPSD psd(nullptr, CXString(folder.write("three.psd", document(threeLayers(), 3)).c_str()));
    ASSERT_EQ(psd.LastError(), 0);
    ASSERT_EQ(psd.GetLayerCount(), 3);
    EXPECT_EQ(psd.Load(CXString(folder.write("one.psd", document(one, 1)).c_str())), 0);
    EXPECT_EQ(psd.GetLayerCount(), 1);
    EXPECT_EQ(psd.Load(CXString(folder.file("none.psd").c_str())), CGraphicsObject::ERROR_OPEN);
    EXPECT_EQ(psd.GetLayerCount(), 0);
}

TEST(CPSD, DocumentsItCannotReadLeaveNoLayers)
{
    const std::string good = document(threeLayers(), 3);
    auto patched = [&good](size_t at, const std::string& bytes) {
        std::string copy = good;
        copy.replace(at, bytes.size(), bytes);
        return copy;
    };
    std::vector<Layer> inverted = threeLayers();
    inverted[0].rect = CXRect(4, 0, 0, 3);
    std::vector<Layer> huge = threeLayers();
    huge[0].rect = CXRect(0, 0, 100000, 100000);
    std::vector<Layer> hollow = {{CXRect(0, 0, 4000, 4000), "big", {}, ""}};
    const std::pair<const char*, std::string> cases[] = {
        {"signature", patched(0, "8BPX")},
        {"version 2", patched(4, std::string("\0\2", 2))},
        {"16 bits a channel", patched(22, std::string("\0\x10", 2))},
        {"CMYK", patched(24, std::string("\0\4", 2))},
        {"right of left", document(inverted, 3)},
        {"oversize layer", document(huge, 3)},
        {"layer larger than the file could describe", document(hollow, 1)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        CPSD psd(nullptr);
        EXPECT_EQ(psd.LoadFromMemory(bytes.data(), bytes.size()), CGraphicsObject::ERROR_FORMAT);
        EXPECT_EQ(psd.GetLayerCount(), 0);
        EXPECT_EQ(psd.GetSelectedObject(), nullptr);
    }
    // Every shorter file: refused, or read as far as it holds whole layers.
    for (size_t cut = 0; cut < good.size() - 4; ++cut) {
        CPSD psd(nullptr);
        EXPECT_EQ(psd.LoadFromMemory(good.data(), cut), CGraphicsObject::ERROR_FORMAT) << cut;
        EXPECT_EQ(psd.GetLayerCount(), 0);
    }
}
