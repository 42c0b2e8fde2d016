#include "graphics/CPSD.h"

#include "foundation/CFile.h"
#include "foundation/CRLECompression2.h"
#include "graphics/CByteReader.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kVersion = 1;
constexpr uint16_t kDepth = 8;
constexpr uint16_t kRgb = 3;
constexpr uint16_t kRaw = 0;
constexpr uint16_t kPackBits = 1;
constexpr int64_t kMaxPixels = int64_t{1} << 26;

bool isPlaneChannel(int16_t id)
{
    return id >= -1 && id <= 2;
}

// One channel's plane of width × height bytes (made with new[]), raw or PackBits by rows;
// null when the data are short or damaged.
char* readPlane(CByteReader& in, uint16_t compression, int width, int height)
{
    const uint64_t bytes = static_cast<uint64_t>(width) * height;
    if (compression == kRaw) {
        const char* data = in.take(bytes);
        if (data == nullptr)
            return nullptr;
        char* plane = new char[bytes];
        std::copy(data, data + bytes, plane);
        return plane;
    }
    if (uint64_t{2} * height > in.remaining())
        return nullptr;
    auto* rows = new short[static_cast<size_t>(height) + 1];
    int64_t coded = 0;
    for (int row = 0; row < height; ++row) {
        rows[row] = in.i16be();
        coded += static_cast<uint16_t>(rows[row]);
    }
    const char* data = in.take(static_cast<uint64_t>(coded));
    if (data == nullptr) {
        delete[] rows;
        return nullptr;
    }
    std::vector<char> copy(data, data + coded);
    CRLECompression2 codec(CXSize(width, height), rows, copy.data(), static_cast<int>(coded));
    return codec.Decompress(0);
}

} // namespace

CPSD::CPSD(GraphicsWindow* window)
    : CGraphicsObject(window)
{
}

CPSD::CPSD(GraphicsWindow* window, const CXString& file)
    : CPSD(window)
{
    Load(file);
}

CPSD::CPSD(GraphicsWindow* window, CGraphicsObject*)
    : CPSD(window)
{
}

CPSD::CPSD(const CPSD& other)
    : CPSD(other.getWindow())
{
}

CPSD::~CPSD() = default;

int CPSD::Load(const CXString& name)
{
    Flush();
    setErrorCode(0);
    if (readFile(name) == ERROR_OPEN) {
        clearLayers();
        return ERROR_OPEN;
    }
    Visible(true);
    return CGraphicsObject::Load(name);
}

int CPSD::Load(CFile* file)
{
    std::vector<char> bytes;
    if (!readRest(file, bytes))
        return fail(ERROR_FORMAT);
    return LoadFromMemory(bytes.data(), bytes.size());
}

int CPSD::LoadFromMemory(const char* data, size_t size)
{
    clearLayers();
    setErrorCode(0);
    CByteReader in(data, size);
    if (!in.startsWith("8BPS", 4))
        return fail(ERROR_FORMAT);
    in.skip(4);
    const uint16_t version = in.u16be();
    in.skip(6 + 2 + 4 + 4);
    const uint16_t depth = in.u16be();
    const uint16_t mode = in.u16be();
    if (!in.ok() || version != kVersion || depth != kDepth || mode != kRgb)
        return fail(ERROR_FORMAT);
    in.skip(in.u32be());
    in.skip(in.u32be());
    const uint32_t layerAndMaskLength = in.u32be();
    const uint32_t layerInfoLength = layerAndMaskLength != 0 ? in.u32be() : 0;
    const int count = layerInfoLength != 0 ? std::abs(in.i16be()) : 0;
    if (!in.ok())
        return fail(ERROR_FORMAT);

    int64_t pixels = 0;
    for (int i = 0; i < count; ++i) {
        auto layer = std::make_unique<Layer>();
        const int top = in.i32be();
        const int left = in.i32be();
        const int bottom = in.i32be();
        const int right = in.i32be();
        const int64_t width = int64_t{right} - left;
        const int64_t height = int64_t{bottom} - top;
        if (width < 0 || height < 0 || width > kMaxPixels || height > kMaxPixels || width * height > kMaxPixels)
            return fail(ERROR_FORMAT);
        // Every pixel needs some of the file's bytes: a two-byte PackBits packet stands for 128.
        pixels += width * height;
        if (pixels > static_cast<int64_t>(size) * 64)
            return fail(ERROR_FORMAT);
        layer->rect = CXRect(left, top, right, bottom);
        const uint16_t channels = in.u16be();
        for (int c = 0; c < channels && in.ok(); ++c) {
            const int16_t id = in.i16be();
            layer->channels.push_back({id, in.u32be()});
        }
        in.skip(4 + 4 + 4);
        const uint32_t extraLength = in.u32be();
        const size_t recordEnd = in.position() + extraLength;
        in.skip(in.u32be());
        in.skip(in.u32be());
        const uint8_t nameLength = in.u8();
        const char* name = in.take(nameLength);
        in.skip((4 - (1 + nameLength) % 4) % 4);
        if (!in.ok() || extraLength > in.size() || recordEnd < in.position() || recordEnd > in.size())
            return fail(ERROR_FORMAT);
        layer->name = CXString(std::string(name, nameLength).c_str());
        // Additional layer information, up to the first block of another kind.
        while (in.position() + 4 <= recordEnd && in.startsWith("8BIM", 4)) {
            in.skip(8);
            in.skip(in.u32be());
        }
        if (!in.ok() || !in.seek(recordEnd))
            return fail(ERROR_FORMAT);
        layers_.push_back(std::move(layer));
    }

    for (const std::unique_ptr<Layer>& layer : layers_) {
        const int width = layer->rect.Width();
        const int height = layer->rect.Height();
        auto raster = std::make_unique<CGraphicsObject>(getWindow());
        raster->setSize(CXSize(width, height));
        raster->SetBpp(24);
        raster->setFileName(layer->name);
        raster->SetPosition(layer->rect.left, layer->rect.top);
        // The planes by channel id, -1 to 2; a later channel of the same id wins.
        std::unique_ptr<char[]> planes[4];
        for (const Layer::Channel& channel : layer->channels) {
            const size_t start = in.position();
            const uint16_t compression = in.u16be();
            if (!isPlaneChannel(channel.id) || (compression != kRaw && compression != kPackBits)) {
                if (channel.length < 2 || !in.seek(start + channel.length))
                    return fail(ERROR_FORMAT);
                continue;
            }
            planes[channel.id + 1].reset(readPlane(in, compression, width, height));
            if (!planes[channel.id + 1])
                return fail(ERROR_FORMAT);
        }
        if (planes[0])
            raster->AlphaChannel(planes[0].release());
        if (planes[1])
            raster->RedChannel(planes[1].release());
        if (planes[2])
            raster->GreenChannel(planes[2].release());
        if (planes[3])
            raster->BlueChannel(planes[3].release());
        raster->JoinChannels();
        layer->raster = std::move(raster);
    }
    SelectLayer(0);
    return 0;
}

void CPSD::clearLayers()
{
    layers_.clear();
    selected_ = -1;
    selectedRaster_ = nullptr;
}

int CPSD::fail(int error)
{
    clearLayers();
    setErrorCode(error);
    return error;
}

CPSD::Layer* CPSD::layerAt(int index) const
{
    if (index == -1)
        index = selected_;
    return index >= 0 && index < GetLayerCount() ? layers_[static_cast<size_t>(index)].get() : nullptr;
}

void CPSD::SelectLayer(int index)
{
    const Layer* layer = index >= 0 ? layerAt(index) : nullptr;
    selected_ = layer != nullptr ? index : -1;
    selectedRaster_ = layer != nullptr ? layer->raster.get() : nullptr;
}

void CPSD::SelectLayer(const CXString& name)
{
    for (int i = 0; i < GetLayerCount(); ++i)
        if (layers_[static_cast<size_t>(i)]->name == name) {
            SelectLayer(i);
            return;
        }
}

CXString CPSD::GetLayerName(int index)
{
    const Layer* layer = layerAt(index);
    return layer != nullptr ? layer->name : CXString();
}

CXRect CPSD::GetLayerRect(int index)
{
    const Layer* layer = layerAt(index);
    return layer != nullptr ? layer->rect : CXRect();
}

CGraphicsObject* CPSD::GetLayerObject(int index) const
{
    const Layer* layer = layerAt(index);
    return layer != nullptr ? layer->raster.get() : nullptr;
}

void CPSD::SetPosition(CXPoint p)
{
    CGraphicsObject::SetPosition(p);
    Layer* layer = layerAt(-1);
    if (layer == nullptr)
        return;
    layer->raster->SetPosition(p);
    layer->rect = CXRect(p.x, p.y, p.x + layer->rect.Width(), p.y + layer->rect.Height());
}
