#include "platform/VideoSource.h"

#include "platform/AudioTrackDecoder.h"
#include "platform/MediaFileInput.h"
#include "platform/MediaLibraryHandles.h"
#include "platform/PathResolver.h"

#include <algorithm>
#include <deque>
#include <string>
#include <utility>

namespace platform {

namespace {

// A picture larger than this either way is damage, not a video the screen could show.
constexpr int kLargestSide = 4096;

constexpr int kLargestAudioChannels = 8;
constexpr int kLowestAudioRate = 1000;
constexpr int kHighestAudioRate = 384000;

// How far before a seek's target the first try lands when the key picture found lies past the
// target; each further try goes back twice as far.
constexpr int64_t kFirstStepBack = kVideoTimeUnitsPerSecond;

AVPixelFormat libraryFormat(VideoPixelFormat pixels)
{
    return pixels == VideoPixelFormat::Rgb555 ? AV_PIX_FMT_RGB555 : AV_PIX_FMT_RGB565;
}

bool isUsable(const AudioFormat& format)
{
    return format.channels > 0 && format.channels <= kLargestAudioChannels && format.sampleRate >= kLowestAudioRate &&
           format.sampleRate <= kHighestAudioRate;
}

// The file with its decoders; made anew when a file that cannot seek goes back to its start.
struct OpenedVideo {
    std::unique_ptr<MediaFileInput> input;
    AVStream* stream = nullptr;
    CodecContextHandle decoder;
    std::unique_ptr<AudioTrackDecoder> audio;
    int64_t origin = 0;        // the stream time of the first picture
    int64_t frameDuration = 0; // from the frame rate, for pictures that do not say; 0 when unknown
};

std::unique_ptr<OpenedVideo> openVideo(const std::string& path, std::optional<AudioFormat> audio)
{
    auto video = std::make_unique<OpenedVideo>();
    video->input = MediaFileInput::open(path);
    if (!video->input)
        return nullptr;
    AVFormatContext* format = video->input->context();
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return nullptr;
    video->stream = format->streams[index];
    const AVCodecParameters* parameters = video->stream->codecpar;
    // A cover picture of a sound file is no video.
    if ((video->stream->disposition & AV_DISPOSITION_ATTACHED_PIC) || parameters->width <= 0 ||
        parameters->height <= 0 || parameters->width > kLargestSide || parameters->height > kLargestSide)
        return nullptr;
    video->decoder = openStreamDecoder(video->stream);
    if (!video->decoder)
        return nullptr;
    if (video->stream->start_time != AV_NOPTS_VALUE)
        video->origin = video->stream->start_time;
    const AVRational rate = av_guess_frame_rate(format, video->stream, nullptr);
    if (rate.num > 0 && rate.den > 0)
        video->frameDuration = av_rescale(kVideoTimeUnitsPerSecond, rate.den, rate.num);

    int audioIndex = -1;
    if (audio && isUsable(*audio))
        audioIndex = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, index, nullptr, 0);
    if (audioIndex >= 0) {
        const AVStream* audioStream = format->streams[audioIndex];
        const int64_t audioOrigin = av_rescale_q(video->origin, video->stream->time_base, audioStream->time_base);
        video->audio = AudioTrackDecoder::open(audioStream, audioOrigin, *audio);
    }
    // The demuxer need not hand out packets nobody decodes.
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (static_cast<int>(i) != index && !(video->audio && static_cast<int>(i) == video->audio->streamIndex()))
            format->streams[i]->discard = AVDISCARD_ALL;
    }
    return video;
}

} // namespace

struct VideoSource::Decoding {
    enum class Landing { Found, PastTheEnd, Overshot };

    // A decoded picture with its time.
    struct Picture {
        FrameHandle frame {av_frame_alloc()};
        int64_t time = 0;
        int64_t duration = 0;
        bool timed = false; // the time comes from the file, not from a guess
    };

    Decoding(std::string diskPath, VideoPixelFormat pixelFormat, std::optional<AudioFormat> audioRequest,
             std::unique_ptr<OpenedVideo> opened)
        : path(std::move(diskPath)), pixels(pixelFormat), audioRequest(audioRequest),
          audioGiven(opened->audio ? std::optional(opened->audio->format()) : std::nullopt),
          width(opened->stream->codecpar->width), height(opened->stream->codecpar->height), video(std::move(opened))
    {
    }

    bool readFrame(VideoFrame& frame);
    bool seek(int64_t time);

    bool decodeNext();
    void feedDecoder();
    void stampDecoded();
    bool convert(const Picture& picture, VideoFrame& frame);
    bool reposition(int64_t position, int64_t target);
    bool reopen(int64_t target);
    void restartAt(int64_t target);
    Landing skipTo(int64_t target, bool mayOvershoot);

    const std::string path;
    const VideoPixelFormat pixels;
    const std::optional<AudioFormat> audioRequest;
    const std::optional<AudioFormat> audioGiven;
    const int width;
    const int height;
    std::unique_ptr<OpenedVideo> video; // null once the file could not be opened anew
    ScalerHandle scaler;
    PacketHandle packet {av_packet_alloc()};
    Picture decoded;
    Picture spare;
    std::deque<Picture> found; // what a seek decoded ahead, for the next reads
    std::optional<int64_t> previousEnd; // where the picture decoded last ends; none since a restart
};

std::unique_ptr<VideoSource> VideoSource::open(std::string_view name, VideoPixelFormat pixels,
                                               std::optional<AudioFormat> audio)
{
    std::string path = resolvePath(name);
    std::unique_ptr<OpenedVideo> video = openVideo(path, audio);
    if (!video)
        return nullptr;
    auto decoding = std::make_unique<Decoding>(std::move(path), pixels, audio, std::move(video));
    if (!decoding->packet || !decoding->decoded.frame || !decoding->spare.frame)
        return nullptr;
    return std::unique_ptr<VideoSource>(new VideoSource(std::move(decoding)));
}

VideoSource::VideoSource(std::unique_ptr<Decoding> decoding) : decoding_(std::move(decoding))
{
}

VideoSource::~VideoSource() = default;

int VideoSource::width() const
{
    return decoding_->width;
}

int VideoSource::height() const
{
    return decoding_->height;
}

VideoPixelFormat VideoSource::pixelFormat() const
{
    return decoding_->pixels;
}

std::optional<AudioFormat> VideoSource::audioFormat() const
{
    return decoding_->audioGiven;
}

bool VideoSource::readFrame(VideoFrame& frame)
{
    return decoding_->readFrame(frame);
}

void VideoSource::takeAudio(std::vector<int16_t>& samples)
{
    if (decoding_->video && decoding_->video->audio)
        decoding_->video->audio->take(samples);
}

bool VideoSource::seek(int64_t time)
{
    return decoding_->seek(time);
}

bool VideoSource::Decoding::readFrame(VideoFrame& frame)
{
    if (!found.empty()) {
        const bool converted = convert(found.front(), frame);
        found.pop_front();
        return converted;
    }
    return decodeNext() && convert(decoded, frame);
}

// The next picture of the stream into `decoded`; false at the end of the input, or where the
// decoder gives up.
bool VideoSource::Decoding::decodeNext()
{
    if (!video)
        return false;
    for (;;) {
        const int received = avcodec_receive_frame(video->decoder.get(), decoded.frame.get());
        if (received == 0) {
            stampDecoded();
            return true;
        }
        if (received != AVERROR(EAGAIN))
            return false;
        feedDecoder();
    }
}

// Reads packets until one reached the video decoder, decoding the audio on the way; at the end
// of the input both decoders are told to give out what they hold.
void VideoSource::Decoding::feedDecoder()
{
    AVFormatContext* format = video->input->context();
    while (av_read_frame(format, packet.get()) >= 0) {
        const int stream = packet->stream_index;
        // A damaged packet is skipped: the decoder goes on with the next one.
        if (stream == video->stream->index)
            avcodec_send_packet(video->decoder.get(), packet.get());
        else if (video->audio && stream == video->audio->streamIndex())
            video->audio->decode(packet.get());
        av_packet_unref(packet.get());
        if (stream == video->stream->index)
            return;
    }
    avcodec_send_packet(video->decoder.get(), nullptr);
    if (video->audio)
        video->audio->finish();
}

// A picture's time is its presentation time where the file gives one. Streams that stamp only
// some pictures (key pictures, or the first of an elementary stream) leave the others to follow
// the one before; the decoder's guess from the decoding order serves only for a first picture.
void VideoSource::Decoding::stampDecoded()
{
    const AVFrame* frame = decoded.frame.get();
    const AVRational timeBase = video->stream->time_base;
    decoded.timed = frame->pts != AV_NOPTS_VALUE;
    if (decoded.timed)
        decoded.time = toVideoTime(frame->pts, video->origin, timeBase);
    else if (previousEnd)
        decoded.time = *previousEnd;
    else if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
        decoded.time = toVideoTime(frame->best_effort_timestamp, video->origin, timeBase);
    else
        decoded.time = 0;
    decoded.duration = frame->pkt_duration > 0 ? toVideoTime(frame->pkt_duration, 0, timeBase) : video->frameDuration;
    decoded.duration = std::max<int64_t>(decoded.duration, 0);
    previousEnd = std::min(decoded.time + decoded.duration, kVideoTimeLimit);
}

bool VideoSource::Decoding::convert(const Picture& picture, VideoFrame& frame)
{
    const AVFrame* source = picture.frame.get();
    if (source->width <= 0 || source->height <= 0 || source->format < 0)
        return false;
    scaler.reset(sws_getCachedContext(scaler.release(), source->width, source->height,
                                      static_cast<AVPixelFormat>(source->format), width, height, libraryFormat(pixels),
                                      SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler)
        return false;
    frame.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    uint8_t* target[] = {reinterpret_cast<uint8_t*>(frame.pixels.data())};
    const int targetStride[] = {width * 2};
    if (sws_scale(scaler.get(), source->data, source->linesize, 0, source->height, target, targetStride) != height)
        return false;
    frame.time = picture.time;
    return true;
}

bool VideoSource::Decoding::seek(int64_t time)
{
    const int64_t target = std::clamp<int64_t>(time, 0, kVideoTimeLimit);
    found.clear();
    for (int64_t back = 0;; back = back == 0 ? kFirstStepBack : back * 2) {
        const int64_t position = std::max<int64_t>(0, target - back);
        if (!reposition(position, target))
            break;
        if (skipTo(target, false) != Landing::Overshot)
            return true;
        if (position == 0)
            break;
    }
    if (!reopen(target))
        return false;
    skipTo(target, true);
    return true;
}

bool VideoSource::Decoding::reposition(int64_t position, int64_t target)
{
    if (!video)
        return false;
    const int64_t timestamp =
        video->origin + av_rescale_q(position, AVRational {1, static_cast<int>(kVideoTimeUnitsPerSecond)},
                                     video->stream->time_base);
    if (av_seek_frame(video->input->context(), video->stream->index, timestamp, AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    avcodec_flush_buffers(video->decoder.get());
    restartAt(target);
    return true;
}

bool VideoSource::Decoding::reopen(int64_t target)
{
    video = openVideo(path, audioRequest);
    if (!video)
        return false;
    restartAt(target);
    return true;
}

void VideoSource::Decoding::restartAt(int64_t target)
{
    if (video->audio)
        video->audio->restart(target);
    found.clear();
    previousEnd.reset();
}

// Decodes forward to the picture shown at `target` and keeps it (with the one after it, when
// that told where it ends) for the next reads. Without `mayOvershoot`, a landing is not trusted
// when its first picture lies past the target or has no time of its own, or when it decodes
// nothing: it may have passed over the pictures wanted.
VideoSource::Decoding::Landing VideoSource::Decoding::skipTo(int64_t target, bool mayOvershoot)
{
    bool first = true;
    for (; decodeNext(); first = false) {
        if (first && !mayOvershoot && (!decoded.timed || decoded.time > target))
            return Landing::Overshot;
        if (decoded.time > target) {
            if (!first)
                found.push_back(std::exchange(spare, Picture()));
            found.push_back(std::exchange(decoded, Picture()));
            return Landing::Found;
        }
        std::swap(spare, decoded);
    }
    if (first)
        return mayOvershoot ? Landing::PastTheEnd : Landing::Overshot;
    if (spare.time + spare.duration > target) {
        found.push_back(std::exchange(spare, Picture()));
        return Landing::Found;
    }
    return Landing::PastTheEnd;
}

} // namespace platform
