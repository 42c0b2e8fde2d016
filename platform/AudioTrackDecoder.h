#pragma once

#include "platform/MediaLibraryHandles.h"
#include "platform/VideoSource.h"

#include <memory>
#include <vector>

// The primary audio stream of a video, decoded and resampled to 16-bit interleaved samples in
// the format the sound layer asked for, laid on a timeline without gaps that starts where the
// video was last positioned.
namespace platform {

class AudioTrackDecoder {
public:
    // `origin` is the stream time (in the stream's time base) that the video counts as 0.
    // Null when the stream cannot be decoded.
    static std::unique_ptr<AudioTrackDecoder> open(const AVStream* stream, int64_t origin, AudioFormat format);

    ~AudioTrackDecoder();
    AudioTrackDecoder(const AudioTrackDecoder&) = delete;
    AudioTrackDecoder& operator=(const AudioTrackDecoder&) = delete;

    const AudioFormat& format() const { return format_; }
    int streamIndex() const { return streamIndex_; }

    // Drops the samples pending and what the decoder holds; the timeline starts anew at `time`.
    void restart(int64_t time);
    // Decodes one packet of the stream.
    void decode(const AVPacket* packet);
    // The input has ended: gives out what the decoder and the resampler still hold.
    void finish();
    // Appends the samples decoded since the last call.
    void take(std::vector<int16_t>& samples);

private:
    AudioTrackDecoder(const AVStream* stream, int64_t origin, AudioFormat format, CodecContextHandle decoder);

    void receiveFrames();
    bool configureResampler(const AVFrame* frame);
    void append(const AVFrame* frame);
    void placeOnTimeline(const AVFrame* frame, size_t convertedFrames);

    const AudioFormat format_;
    const int streamIndex_;
    const AVRational timeBase_;
    const int64_t origin_;
    CodecContextHandle decoder_;
    ResamplerHandle resampler_;
    AVChannelLayout resamplerInput_ {};
    int resamplerInputFormat_ = -1;
    int resamplerInputRate_ = 0;
    FrameHandle frame_;
    std::vector<int16_t> converted_;
    std::vector<int16_t> pending_;
    int64_t timelineStart_ = 0;
    bool placed_ = false; // the first samples since the restart are on the timeline
};

} // namespace platform
