// Cutting a received byte stream into frames: mixed frames (variable changes, 10 KB file chunks
// and a 256 KB text) arriving in reads of 1024 bytes, against a plain memcpy of the same reads.
#include "media/CMessageStack.h"
#include "media/CNetFileMessages.h"
#include "media/CNetTextMessage.h"
#include "media/CNetVariableMessage.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kReadSize = 1024;

void append(std::string& stream, const CNetMessage& frame)
{
    stream.append(frame.getBuffer(), static_cast<size_t>(frame.getLength()));
}

const std::string& mixedStream()
{
    static const std::string stream = [] {
        std::string bytes;
        std::string block(8, '\0');
        CNetMessage::storeUInt32(block.data(), CNetVariableMessage::KIND_INTEGER);
        const std::string chunk(CNetFileDataMessage::MAX_CHUNK, 'c');
        for (int i = 0; i < 100; ++i) {
            for (int v = 0; v < 20; ++v) {
                CNetMessage::storeUInt32(block.data() + 4, static_cast<uint32_t>(i * 20 + v));
                append(bytes, CNetVariableMessage(nullptr, "SCORE", block.data(), 8));
            }
            append(bytes, CNetFileDataMessage(nullptr, 1, 1, 0, i * CNetFileDataMessage::MAX_CHUNK,
                                              CNetFileDataMessage::MAX_CHUNK, chunk.data()));
            if (i == 50)
                append(bytes, CNetTextMessage(nullptr, std::string(256 * 1024, 't').c_str()));
        }
        return bytes;
    }();
    return stream;
}

void BM_MessageStackCutsMixedFrames(benchmark::State& state)
{
    const std::string& stream = mixedStream();
    for (auto _ : state) {
        CMessageStack stack(nullptr);
        size_t frames = 0;
        for (size_t at = 0; at < stream.size(); at += kReadSize) {
            stack.push(stream.data() + at, static_cast<int>(std::min(kReadSize, stream.size() - at)));
            while (CNetMessage* frame = stack.get()) {
                benchmark::DoNotOptimize(frame->getBuffer());
                delete frame;
                ++frames;
            }
        }
        benchmark::DoNotOptimize(frames);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_MessageStackCutsMixedFrames);

void BM_MemcpyOfTheSameReads(benchmark::State& state)
{
    const std::string& stream = mixedStream();
    std::vector<char> target(stream.size());
    for (auto _ : state) {
        for (size_t at = 0; at < stream.size(); at += kReadSize)
            std::memcpy(target.data() + at, stream.data() + at, std::min(kReadSize, stream.size() - at));
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_MemcpyOfTheSameReads);

} // namespace
