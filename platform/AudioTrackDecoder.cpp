#include "platform/AudioTrackDecoder.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int64_t kLongestLeadingSilence = 10 * kVideoTimeUnitsPerSecond;

} // namespace

std::unique_ptr<AudioTrackDecoder> AudioTrackDecoder::open(const AVStream* stream, int64_t origin, AudioFormat format)
{
    CodecContextHandle decoder = openStreamDecoder(stream);
    if (!decoder)
        return nullptr;
    return std::unique_ptr<AudioTrackDecoder>(new AudioTrackDecoder(stream, origin, format, std::move(decoder)));
}

AudioTrackDecoder::AudioTrackDecoder(const AVStream* stream, int64_t origin, AudioFormat format, CodecContextHandle decoder)
    : format_(format), streamIndex_(stream->index), timeBase_(stream->time_base), origin_(origin),
      decoder_(std::move(decoder)), frame_(av_frame_alloc())
{
}

AudioTrackDecoder::~AudioTrackDecoder()
{
    av_channel_layout_uninit(&resamplerInput_);
}

void AudioTrackDecoder::restart(int64_t time)
{
    avcodec_flush_buffers(decoder_.get());
    resampler_.reset(); // drops the samples it holds back for its filter
    pending_.clear();
    timelineStart_ = time;
    placed_ = false;
}

void AudioTrackDecoder::decode(const AVPacket* packet)
{
    // A damaged packet is skipped: the decoder goes on with the next one.
    if (avcodec_send_packet(decoder_.get(), packet) == 0)
        receiveFrames();
}

void AudioTrackDecoder::finish()
{
    if (avcodec_send_packet(decoder_.get(), nullptr) == 0)
        receiveFrames();
    if (!resampler_ || !placed_)
        return;
    const int held = swr_get_out_samples(resampler_.get(), 0);
    if (held <= 0)
        return;
    converted_.resize(static_cast<size_t>(held) * format_.channels);
    auto* out = reinterpret_cast<uint8_t*>(converted_.data());
    const int count = swr_convert(resampler_.get(), &out, held, nullptr, 0);
    if (count > 0)
        pending_.insert(pending_.end(), converted_.begin(), converted_.begin() + count * format_.channels);
}

void AudioTrackDecoder::take(std::vector<int16_t>& samples)
{
    samples.insert(samples.end(), pending_.begin(), pending_.end());
    pending_.clear();
}

void AudioTrackDecoder::receiveFrames()
{
    while (avcodec_receive_frame(decoder_.get(), frame_.get()) == 0) {
        append(frame_.get());
        av_frame_unref(frame_.get());
    }
}

bool AudioTrackDecoder::configureResampler(const AVFrame* frame)
{
    if (frame->sample_rate <= 0 || frame->ch_layout.nb_channels <= 0)
        return false;
    AVChannelLayout input {};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&input, frame->ch_layout.nb_channels);
    else if (av_channel_layout_copy(&input, &frame->ch_layout) < 0)
        return false;
    if (resampler_ && resamplerInputFormat_ == frame->format && resamplerInputRate_ == frame->sample_rate &&
        av_channel_layout_compare(&resamplerInput_, &input) == 0) {
        av_channel_layout_uninit(&input);
        return true;
    }
    av_channel_layout_uninit(&resamplerInput_);
    resamplerInput_ = input;
    resamplerInputFormat_ = frame->format;
    resamplerInputRate_ = frame->sample_rate;
    resampler_.reset();
    AVChannelLayout output {};
    av_channel_layout_default(&output, format_.channels);
    SwrContext* resampler = nullptr;
    const int made = swr_alloc_set_opts2(&resampler, &output, AV_SAMPLE_FMT_S16, format_.sampleRate, &resamplerInput_,
                                         static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&output);
    resampler_.reset(resampler);
    if (made < 0 || swr_init(resampler) < 0) {
        resampler_.reset();
        return false;
    }
    return true;
}

void AudioTrackDecoder::append(const AVFrame* frame)
{
    if (!configureResampler(frame))
        return;
    const int room = swr_get_out_samples(resampler_.get(), frame->nb_samples);
    if (room <= 0)
        return;
    converted_.resize(static_cast<size_t>(room) * format_.channels);
    auto* out = reinterpret_cast<uint8_t*>(converted_.data());
    const int count = swr_convert(resampler_.get(), &out, room, const_cast<const uint8_t**>(frame->extended_data),
                                  frame->nb_samples);
    if (count > 0)
        placeOnTimeline(frame, static_cast<size_t>(count));
}

void AudioTrackDecoder::placeOnTimeline(const AVFrame* frame, size_t convertedFrames)
{
    const size_t channels = static_cast<size_t>(format_.channels);
    size_t skipped = 0;
    if (!placed_ && frame->best_effort_timestamp != AV_NOPTS_VALUE) {
        const int64_t lead = toVideoTime(frame->best_effort_timestamp, origin_, timeBase_) - timelineStart_;
        // A lead longer than any real one is damage: then the samples start the timeline.
        if (lead > 0 && lead < kLongestLeadingSilence)
            pending_.resize(pending_.size() + av_rescale(lead, format_.sampleRate, kVideoTimeUnitsPerSecond) * channels);
        else if (lead < 0)
            skipped = static_cast<size_t>(std::min<int64_t>(av_rescale(-lead, format_.sampleRate, kVideoTimeUnitsPerSecond),
                                                            static_cast<int64_t>(convertedFrames)));
        if (skipped == convertedFrames)
            return; // wholly before the timeline's start
    }
    placed_ = true;
    pending_.insert(pending_.end(), converted_.begin() + static_cast<ptrdiff_t>(skipped * channels),
                    converted_.begin() + static_cast<ptrdiff_t>(convertedFrames * channels));
}

} // namespace platform
