#include "platform/MediaLibraryHandles.h"

#include "platform/VideoSource.h"

#include <algorithm>

namespace platform {

CodecContextHandle openStreamDecoder(const AVStream* stream)
{
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (codec == nullptr)
        return nullptr;
    CodecContextHandle context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0)
        return nullptr;
    context->pkt_timebase = stream->time_base;
    if (avcodec_open2(context.get(), codec, nullptr) < 0)
        return nullptr;
    return context;
}

int64_t toVideoTime(int64_t timestamp, int64_t origin, AVRational timeBase)
{
    int64_t sinceOrigin = 0;
    if (__builtin_sub_overflow(timestamp, origin, &sinceOrigin))
        return timestamp < origin ? -kVideoTimeLimit : kVideoTimeLimit;
    // The rescaling gives INT64_MIN where the result does not fit.
    const int64_t time = av_rescale_q(sinceOrigin, timeBase, AVRational {1, static_cast<int>(kVideoTimeUnitsPerSecond)});
    if (time == INT64_MIN)
        return sinceOrigin < 0 ? -kVideoTimeLimit : kVideoTimeLimit;
    return std::clamp(time, -kVideoTimeLimit, kVideoTimeLimit);
}

} // namespace platform
