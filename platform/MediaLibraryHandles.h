#pragma once

#include <cstdint>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

// Owning handles for FFmpeg's objects, each freed by the library's own call.
namespace platform {

struct CodecContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerFree {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};
struct ResamplerFree {
    void operator()(SwrContext* resampler) const { swr_free(&resampler); }
};

using CodecContextHandle = std::unique_ptr<AVCodecContext, CodecContextFree>;
using FrameHandle = std::unique_ptr<AVFrame, FrameFree>;
using PacketHandle = std::unique_ptr<AVPacket, PacketFree>;
using ScalerHandle = std::unique_ptr<SwsContext, ScalerFree>;
using ResamplerHandle = std::unique_ptr<SwrContext, ResamplerFree>;

// A decoder for the stream, opened; null when the libraries have none for its codec.
CodecContextHandle openStreamDecoder(const AVStream* stream);

// Video times stay within this bound either way, so that differences of two never overflow.
constexpr int64_t kVideoTimeLimit = INT64_MAX / 4;

// A stream time (in the stream's time base, counted from `origin`) in 100 ns units, within the
// bound.
int64_t toVideoTime(int64_t timestamp, int64_t origin, AVRational timeBase);

} // namespace platform
