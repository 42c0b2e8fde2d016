// Reading every generation of ANN files and writing the current one. The file is read into
// memory once and every count, length and text is checked against what it holds: a damaged file
// leaves the animation empty.
#include "graphics/CAnimo.h"

#include "foundation/CFile.h"
#include "graphics/CByteReader.h"
#include "graphics/CFrame.h"
#include "graphics/GraphicsWindow.h"
#include "media/CRandomSound.h"
#include "media/CSound4.h"

#include <climits>
#include <cstring>
#include <string>

namespace {

constexpr size_t kFrameRecordBytes = 30;
constexpr size_t kMiddleHeaderBytes = 407;
constexpr size_t kMiddleFrameBytes = 10;
constexpr size_t kLegacyHeaderBytes = 12;
constexpr size_t kShortestLegacyImageBytes = 20;
constexpr size_t kPositionBytes = 33;
constexpr size_t kImageHeaderBytes = 52;
constexpr size_t kShortImageHeaderBytes = 32;
// The legacy chunk texts were read into buffers of 256 bytes.
constexpr size_t kLegacyTextBytes = 255;
// The raster flags take the low byte of the flags word, the animation flags bits 8 to 23.
constexpr uint32_t kRasterFlags = 0xFF;
constexpr uint32_t kAnimoFlags = 0xFFFF00;

const char kStandardEvent[] = "standard";

// Text bytes end at their first NUL, whatever the length says.
CXString textOf(const char* bytes, size_t length)
{
    return CXString(std::string(bytes, strnlen(bytes, length)).c_str());
}

// A u32 length and that many bytes of text; false when they are not in the file.
bool readText(CByteReader& in, CXString& text)
{
    const uint32_t length = in.u32();
    const char* bytes = in.take(length);
    if (bytes == nullptr)
        return false;
    text = textOf(bytes, length);
    return true;
}

// A text of a frame record: u32 length counting the NUL, then the bytes with the NUL.
bool readString(CByteReader& in, std::optional<CXString>& text)
{
    const uint32_t length = in.u32();
    const char* bytes = length >= 1 ? in.take(length) : nullptr;
    if (bytes == nullptr)
        return false;
    text = textOf(bytes, length - 1);
    return true;
}

void writeString(CByteWriter& out, const std::optional<CXString>& text)
{
    if (!text)
        return;
    out.u32(static_cast<uint32_t>(text->GetLength() + 1)).bytes(text->c_str(), static_cast<size_t>(text->GetLength()) + 1);
}

int fpsOf(uint32_t stored)
{
    return static_cast<int>(std::min<uint32_t>(stored, INT_MAX));
}

bool depthIsDrawable(int depth)
{
    return depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

// The 32 bytes of an event's name, the last one forced to NUL.
void readEventName(CByteReader& in, _annEventInfo3& event)
{
    if (const char* name = in.take(sizeof event.name)) {
        std::memcpy(event.name, name, sizeof event.name);
        event.name[sizeof event.name - 1] = 0;
    }
}

// The image indices of an event; false when the file does not hold them.
bool readIndices(CByteReader& in, _annEventInfo3& event, size_t count)
{
    if (in.remaining() < 2 * count)
        return false;
    event.frames.resize(count);
    for (uint16_t& index : event.frames)
        index = in.u16();
    return in.ok();
}

} // namespace

int CAnimo::Load(const CXString& name)
{
    Flush();
    CXObject::log(("Loading file " + name + "...").c_str(), false);
    CFile file;
    int error = file.Open(getWindow(), name, CFile::MODE_READ | CFile::MODE_BINARY) != 0 ? ERROR_OPEN : 0;
    if (error == 0) {
        error = Load(&file);
        file.Close();
    }
    if (error != 0) {
        CXObject::log(" - Failed.\n", false);
        return refuse(error);
    }
    CXObject::log(" - Succesfull.\n", false);
    CFileResolver::load();
    setErrorCode(0);
    positionInEvent_ = 0;
    setFilename(name);
    setFileName(name);
    SetEventFrame(getFirstEvent(), 0);
    return 0;
}

int CAnimo::Load(CFile* file)
{
    std::vector<char> bytes;
    if (!readRest(file, bytes))
        return refuse(ERROR_FORMAT);
    return LoadFromMemory(bytes.data(), bytes.size());
}

int CAnimo::LoadFromMemory(const char* data, size_t size)
{
    Flush();
    CByteReader in(data, size);
    return readFile(in);
}

int CAnimo::readFile(CByteReader& in)
{
    bool read;
    if (in.startsWith("NVP", 3) || in.startsWith("NVI", 3) || in.startsWith("NV+", 3))
        read = readCurrent(in);
    else if (in.startsWith("PAK", 3))
        read = readMiddle(in);
    else
        read = readLegacy(in);
    if (!read)
        return refuse(ERROR_FORMAT);
    setErrorCode(0);
    return 0;
}

int CAnimo::refuse(int error)
{
    resetToNew();
    setErrorCode(error);
    return error;
}

bool CAnimo::readCurrent(CByteReader& in)
{
    const bool shortHeaders = in.startsWith("NV+", 3);
    const bool currentGeneration = shortHeaders || in.startsWith("NVP", 3);
    in.skip(4);
    const int imageCount = in.u16();
    const int depth = in.u16();
    const int eventCount = in.u16();
    in.skip(13);
    const uint32_t fps = in.u32();
    const uint32_t flags = in.u32();
    const uint8_t opacity = in.u8();
    const int16_t randomFrames = in.i16();
    in.skip(10);
    if (!in.ok() || !depthIsDrawable(depth) || !readText(in, author_) || !readText(in, description_))
        return false;
    bpp_ = depth;
    fps_ = fpsOf(fps);
    SetFlags(static_cast<int>(flags & kRasterFlags));
    animoFlags_ = flags & kAnimoFlags;
    SetOpacity(opacity);
    randomFrames_ = randomFrames;
    if (!readEvents(in, eventCount) || !readImages(in, imageCount, shortHeaders))
        return false;
    if ((animoFlags_ & ANIMO_STREAM_SOUNDS) == 0)
        makeSounds();
    if (currentGeneration)
        animoFlags_ |= ANIMO_CURRENT_FORMAT;
    return true;
}

bool CAnimo::readEvents(CByteReader& in, int count)
{
    for (int e = 0; e < count; ++e) {
        _annEventInfo3 event;
        readEventName(in, event);
        const size_t frames = in.u16();
        in.skip(4);
        event.loopStart = in.u16();
        event.loopEnd = in.u16();
        event.loopCount = in.u16();
        event.loopCounter = in.u16();
        event.fps = in.u32();
        event.flags = in.u32();
        event.opacity = in.u8();
        event.carried55 = in.u16();
        event.carried57 = in.u8();
        event.carried58 = in.u8();
        event.carried59 = in.u32();
        event.carried63 = in.u32();
        if (!in.ok() || !readIndices(in, event, frames) || in.remaining() < frames * kFrameRecordBytes)
            return false;
        std::vector<_anmFrameInfo3> records(frames);
        for (_anmFrameInfo3& record : records) {
            const uint32_t hasName = in.u32();
            const uint32_t hasText = in.u32();
            record.dx = in.i16();
            record.dy = in.i16();
            record.carried12 = in.u32();
            const uint32_t hasSound = in.u32();
            record.carried20 = in.u32();
            record.opacity = in.u8();
            record.carried25 = in.u8();
            in.skip(4);
            if (!in.ok() || (hasName != 0 && !readString(in, record.name)) || (hasText != 0 && !readString(in, record.text))
                || (hasSound != 0 && !readString(in, record.sound)))
                return false;
        }
        events_.push_back(std::move(event));
        frameInfo_.push_back(std::move(records));
    }
    sounds_.resize(events_.size());
    return true;
}

void CAnimo::makeImages(int count, int bpp)
{
    images_.clear();
    for (int i = 0; i < count; ++i) {
        auto image = std::make_shared<CFrame>(getWindow());
        image->SetBpp(bpp);
        images_.push_back(std::move(image));
    }
}

bool CAnimo::readImages(CByteReader& in, int count, bool shortHeaders)
{
    const size_t headerBytes = shortHeaders ? kShortImageHeaderBytes : kImageHeaderBytes;
    if (count < 0 || in.remaining() < static_cast<size_t>(count) * headerBytes)
        return false;
    makeImages(count, bpp_);
    for (const auto& image : images_)
        if (!(shortHeaders ? image->LoadHeaderNew(in) : image->LoadHeaderNew2(in)))
            return false;
    for (const auto& image : images_)
        if (!image->LoadNew(in))
            return false;
    return true;
}

void CAnimo::makeSounds()
{
    GraphicsWindow* window = getWindow();
    sounds_.resize(events_.size());
    for (size_t e = 0; e < events_.size(); ++e) {
        auto& row = sounds_[e];
        row.clear();
        row.resize(events_[e].frames.size());
        const auto& records = frameInfo_[e];
        for (size_t p = 0; p < row.size() && p < records.size(); ++p) {
            const CXString name = records[p].getSound();
            if (!name.IsString())
                continue;
            const CXString path = window != nullptr ? window->GetSoundFXFullPath(name) : name;
            if (path.Find(';', 0) < 0)
                row[p] = std::make_unique<CSound4>(window, path, false, true);
            else
                row[p] = std::make_unique<CRandomSound>(window, path, false, true);
        }
    }
}

bool CAnimo::readMiddle(CByteReader& in)
{
    if (in.remaining() < kMiddleHeaderBytes)
        return false;
    in.skip(4);
    const int imageCount = in.i16();
    author_ = textOf(in.take(128), 128);
    description_ = textOf(in.take(256), 256);
    const int depth = in.i16();
    const int eventCount = in.i16();
    in.seek(kMiddleHeaderBytes);
    bpp_ = depth == 0 ? 15 : depth;
    if (!in.ok() || !depthIsDrawable(bpp_))
        return false;
    for (int e = 0; e < eventCount; ++e) {
        _annEventInfo3 event;
        readEventName(in, event);
        const size_t frames = in.u16();
        event.loopStart = event.loopEnd = in.u16();
        in.skip(2);
        event.loopCount = in.u16();
        event.fps = kDefaultFps;
        event.opacity = 255;
        if (!in.ok() || !readIndices(in, event, frames) || in.remaining() < frames * kMiddleFrameBytes)
            return false;
        std::vector<_anmFrameInfo3> records(frames);
        for (_anmFrameInfo3& record : records) {
            record.dx = in.i16();
            record.dy = in.i16();
            in.skip(6);
        }
        events_.push_back(std::move(event));
        frameInfo_.push_back(std::move(records));
    }
    sounds_.resize(events_.size());
    if (!readImages(in, imageCount, true))
        return false;
    if (eventCount < 1)
        useDefaultEvents();
    convertToScreen();
    return true;
}

bool CAnimo::readLegacy(CByteReader& in)
{
    int kind = 0;
    if (in.startsWith("PIK", 3))
        kind = 1;
    else if (in.startsWith("PI2", 3))
        kind = 2;
    else if (in.startsWith("PI3", 3))
        kind = 3;
    in.skip(4);
    const int imageCount = in.i16();
    const int depth = GetRealBpp(in.i16());
    in.seek(kLegacyHeaderBytes);
    if (!in.ok() || imageCount < 0)
        return false;
    if (depthIsDrawable(depth))
        bpp_ = depth;
    const char* tags[] = {"EXT", "SEQ", "POS"};
    for (const _chunk chunk : {CHUNK_EXT, CHUNK_SEQ, CHUNK_POS})
        if (in.startsWith(tags[chunk], 3) && (!in.skip(3) || !readChunk(in, chunk)))
            return false;
    // Each image of a known kind has at least its header in the file. Images of another kind
    // have nothing there: a file makes no more of them than it has bytes.
    const auto images = static_cast<size_t>(imageCount);
    if (kind != 0 ? in.remaining() < images * kShortestLegacyImageBytes : in.size() < images)
        return false;
    makeImages(imageCount, bpp_);
    for (const auto& image : images_)
        if (!image->LoadHeader(in, kind))
            return false;
    for (const auto& image : images_)
        if (!image->Load(in))
            return false;
    convertToScreen();
    useDefaultEvents();
    return true;
}

bool CAnimo::readChunk(CByteReader& in, _chunk chunk)
{
    switch (chunk) {
    case CHUNK_EXT: {
        in.skip(4);
        for (CXString* text : {&author_, &description_}) {
            const int32_t length = in.i32();
            if (length <= 0)
                continue;
            const char* bytes = in.take(static_cast<uint32_t>(length));
            if (bytes == nullptr)
                return false;
            *text = textOf(bytes, std::min<size_t>(static_cast<size_t>(length), kLegacyTextBytes));
        }
        return in.ok();
    }
    case CHUNK_SEQ: {
        _annEventInfo3 event;
        const size_t frames = in.u32() & 0xFFFF;
        const size_t start = in.position();
        if (!in.ok() || !readIndices(in, event, frames) || !in.seek(start + 4 * frames))
            return false;
        events_.push_back(std::move(event));
        frameInfo_.emplace_back();
        sounds_.emplace_back();
        return true;
    }
    case CHUNK_POS:
        for (size_t e = 0; e < events_.size(); ++e) {
            const size_t frames = events_[e].frames.size();
            if (in.remaining() < frames * kPositionBytes)
                return false;
            std::vector<_anmFrameInfo3> records(frames);
            for (_anmFrameInfo3& record : records) {
                record.dx = static_cast<int16_t>(in.i32());
                record.dy = static_cast<int16_t>(in.i32());
                record.opacity = in.u8();
                record.carried12 = 0;
                in.skip(24);
            }
            frameInfo_[e] = std::move(records);
        }
        return in.ok();
    }
    return false;
}

void CAnimo::useDefaultEvents()
{
    RemoveAllEvents();
    _annEventInfo3 standard;
    standard.setName(kStandardEvent);
    standard.opacity = 255;
    for (int i = 0; i < GetNOF(); ++i)
        standard.frames.push_back(static_cast<uint16_t>(i));
    events_.assign(2, standard);
    std::reverse(standard.frames.begin(), standard.frames.end());
    events_.push_back(standard);
    frameInfo_.resize(events_.size());
    sounds_.resize(events_.size());
}

void CAnimo::convertToScreen()
{
    if (const int depth = screenDepth())
        Convert(depth);
}

// Writing.

int CAnimo::Save(const CXString& name, _compression code)
{
    return writeFile(name, [this, code](CFile* file) { return Save3(file, code); });
}

int CAnimo::Save(CFile* file, _compression code)
{
    const char* signature = code == 0 ? "PIK" : code == 1 ? "PI2" : "PI3";
    CByteWriter out;
    out.bytes(signature, 4).u16(static_cast<uint32_t>(GetNOF())).u16(static_cast<uint32_t>(GetFlagBpp(bpp_))).u32(0);
    const std::vector<char>& bytes = out.data();
    const int error = file != nullptr && file->Write(bytes.data(), static_cast<int>(bytes.size())) == 1 ? 0 : ERROR_OPEN;
    setErrorCode(error);
    return error;
}

int CAnimo::Save3(CFile* file, _compression code)
{
    // Pixel words do not widen to 24 or 32 bits: images that cannot take the animation's depth
    // all take 16 bits.
    if (!convertImages(bpp_) && !convertImages(16)) {
        setErrorCode(ERROR_FORMAT);
        return ERROR_FORMAT;
    }
    for (const auto& image : images_)
        image->Compress(code);
    // The name (never written) and the reserved bytes are zeros.
    const char zeros[13] = {};
    CByteWriter out;
    out.u8('N').u8('V').u8('P').u8(0);
    out.u16(static_cast<uint32_t>(GetNOF())).u16(static_cast<uint32_t>(bpp_)).u16(static_cast<uint32_t>(GetNOE()));
    out.bytes(zeros, sizeof zeros);
    out.u32(static_cast<uint32_t>(fps_)).u32(animoFlags_ | (static_cast<uint32_t>(GetFlags()) & kRasterFlags));
    out.u8(GetOpacity()).u16(static_cast<uint16_t>(randomFrames_)).bytes(zeros, 10);
    for (const CXString* text : {&author_, &description_})
        out.u32(static_cast<uint32_t>(text->GetLength())).bytes(text->c_str(), static_cast<size_t>(text->GetLength()));
    writeEvents(out);
    for (const auto& image : images_)
        image->SaveHeaderNew(out, code);
    for (const auto& image : images_)
        image->SaveNew(out, code);
    const std::vector<char>& bytes = out.data();
    const int error = file != nullptr && file->Write(bytes.data(), static_cast<int>(bytes.size())) == 1 ? 0 : ERROR_OPEN;
    setErrorCode(error);
    return error;
}

void CAnimo::writeEvents(CByteWriter& out)
{
    for (size_t e = 0; e < events_.size(); ++e) {
        const _annEventInfo3& event = events_[e];
        out.bytes(event.name, sizeof event.name).u16(static_cast<uint32_t>(event.frames.size())).u32(0);
        out.u16(event.loopStart).u16(event.loopEnd).u16(event.loopCount).u16(event.loopCounter);
        out.u32(event.fps).u32(event.flags).u8(event.opacity);
        out.u16(event.carried55).u8(event.carried57).u8(event.carried58).u32(event.carried59).u32(event.carried63);
        for (const uint16_t index : event.frames)
            out.u16(index);
        const std::vector<_anmFrameInfo3>& records = frameInfo_[e];
        for (size_t p = 0; p < event.frames.size(); ++p) {
            const _anmFrameInfo3 record = p < records.size() ? records[p] : _anmFrameInfo3();
            out.u32(record.name ? 1 : 0).u32(record.text ? 1 : 0);
            out.u16(static_cast<uint16_t>(record.dx)).u16(static_cast<uint16_t>(record.dy));
            out.u32(record.carried12).u32(record.sound ? 1 : 0).u32(record.carried20);
            out.u8(record.opacity).u8(record.carried25).u32(0);
            writeString(out, record.name);
            writeString(out, record.text);
            writeString(out, record.sound);
        }
    }
}
