#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

// Video files decoded for the engine: the pictures of the primary video stream converted to
// the screen's 16-bit pixels, and the primary audio stream as 16-bit samples for the sound
// layer. Whatever FFmpeg's libraries decode plays (old AVI codecs, MPEG-1 and the rest).
namespace platform {

// Times of a video are counted in 100 ns units from its first picture.
constexpr int64_t kVideoTimeUnitsPerSecond = 10'000'000;

enum class VideoPixelFormat {
    Rgb565, // the screen at 16 bits
    Rgb555, // the screen at 15 bits (top bit clear)
};

struct AudioFormat {
    int sampleRate = 0;
    int channels = 0;
};

struct VideoFrame {
    int64_t time = 0; // when the picture is shown
    std::vector<uint16_t> pixels; // width × height, rows top to bottom, no padding
};

class VideoSource {
public:
    // Opens a file named the engine's way (through the name resolver). The pictures come at the
    // stream's own size (pixel aspect ignored) in `pixels`; with `audio`, the primary audio
    // stream, where the file has one, is resampled to that rate and channel count (interleaved).
    // Null when the file is missing, no container or has no video stream that can be decoded.
    static std::unique_ptr<VideoSource> open(std::string_view name, VideoPixelFormat pixels,
                                             std::optional<AudioFormat> audio);
    ~VideoSource();
    VideoSource(const VideoSource&) = delete;
    VideoSource& operator=(const VideoSource&) = delete;

    // These four never change, so any thread may ask them while another decodes.
    int width() const;
    int height() const;
    VideoPixelFormat pixelFormat() const;
    // The format of the audio handed out; null when the source gives no audio.
    std::optional<AudioFormat> audioFormat() const;

    // The next picture, into `frame` (its buffer is reused). False at the end of the video, or
    // where damage stops the decoding.
    bool readFrame(VideoFrame& frame);

    // Appends the audio decoded so far. The audio runs without gaps from the last seek (or
    // from 0): its first sample after a seek to t plays at t, silence filling where the stream
    // has none.
    void takeAudio(std::vector<int16_t>& samples);

    // Goes to `time` exactly: the next picture read is the one shown at that time (none when
    // it lies past the end). Lands on the key picture before it and decodes forward; a file
    // that cannot seek is opened anew and decoded from its start. False when the file can no
    // longer be read at all.
    bool seek(int64_t time);

private:
    struct Decoding;
    explicit VideoSource(std::unique_ptr<Decoding> decoding);

    std::unique_ptr<Decoding> decoding_;
};

} // namespace platform
