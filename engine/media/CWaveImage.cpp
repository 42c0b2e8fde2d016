#include "media/CWaveImage.h"

#include "foundation/CFile.h"
#include "media/CWaveChunkReader.h"

#include <cstdint>
#include <optional>

namespace {

struct KeptChunk {
    const char* id;
    bool required;
};

const KeptChunk kKeptChunks[] = {{"fmt ", true}, {"fact", false}, {"data", true}};

void appendLittleEndian32(std::string& bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
}

// The body of the file's first chunk of that id; none when the walk does not reach one.
std::optional<std::string> bodyOf(CFile* file, const char* id)
{
    CWaveChunkReader chunks(file, 0, file->Length());
    if (!chunks.readHeader())
        return std::nullopt;
    const int32_t size = chunks.find(id);
    if (size < 0)
        return std::nullopt;
    std::string body(static_cast<size_t>(size), '\0');
    if (file->Read(body.data(), size) != size)
        return std::nullopt;
    return body;
}

} // namespace

std::string CWaveImage::of(CFile* file)
{
    std::string chunks;
    for (const KeptChunk& kept : kKeptChunks) {
        const std::optional<std::string> body = bodyOf(file, kept.id);
        if (!body) {
            if (kept.required)
                return "";
            continue;
        }
        chunks += kept.id;
        appendLittleEndian32(chunks, static_cast<uint32_t>(body->size()));
        chunks += *body;
        if (body->size() % 2 != 0)
            chunks += '\0';
    }
    std::string image = "RIFF";
    appendLittleEndian32(image, static_cast<uint32_t>(chunks.size() + 4));
    return image + "WAVE" + chunks;
}
