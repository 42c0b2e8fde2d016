// Decoding a 20-second 640 x 480 clip at 25 pictures a second (MPEG-4 Part 2 with PCM sound in
// AVI, made by ffmpeg when the benchmark starts) into 16-bit 5-6-5 pictures: our video source,
// our decode-ahead worker over it, and a plain FFmpeg loop (demux, decode, swscale, nothing
// else). The "realtime" counter is seconds of video decoded per second of wall time.
#include "platform/VideoDecodeWorker.h"
#include "platform/VideoSource.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kClipSeconds = 20.0;

class BenchClip {
public:
    static const BenchClip& shared()
    {
        static const BenchClip clip;
        return clip;
    }

    const std::string& path() const { return path_; }
    bool made() const { return made_; }

    ~BenchClip() { std::filesystem::remove_all(folder_); }

private:
    BenchClip()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrum-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        path_ = (folder_ / "clip.avi").string();
        const std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i testsrc2=size=640x480:rate=25:duration=20 "
                                    "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=20 "
                                    "-c:v mpeg4 -q:v 4 -c:a pcm_s16le '" + path_ + "'";
        made_ = std::system(command.c_str()) == 0;
    }

    std::filesystem::path folder_;
    std::string path_;
    bool made_ = false;
};

std::unique_ptr<platform::VideoSource> openSource(const std::string& path)
{
    return platform::VideoSource::open(path, platform::VideoPixelFormat::Rgb565, std::nullopt);
}

int decodeWithSource(const std::string& path)
{
    std::unique_ptr<platform::VideoSource> source = openSource(path);
    platform::VideoFrame frame;
    int frames = 0;
    for (; source->readFrame(frame); ++frames)
        benchmark::DoNotOptimize(frame.pixels.data());
    return frames;
}

int decodeWithWorker(const std::string& path)
{
    std::unique_ptr<platform::VideoSource> source = openSource(path);
    platform::VideoDecodeWorker worker(*source);
    platform::VideoFrame frame;
    int frames = 0;
    for (; worker.waitForFrame(std::chrono::seconds(10)) && worker.takeFrame(frame); ++frames)
        benchmark::DoNotOptimize(frame.pixels.data());
    return frames;
}

int decodeWithPlainLoop(const std::string& path)
{
    AVFormatContext* format = nullptr;
    avformat_open_input(&format, path.c_str(), nullptr, nullptr);
    avformat_find_stream_info(format, nullptr);
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    AVCodecContext* decoder = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(decoder, format->streams[index]->codecpar);
    avcodec_open2(decoder, codec, nullptr);
    SwsContext* scaler = sws_getContext(decoder->width, decoder->height, decoder->pix_fmt, kWidth, kHeight,
                                        AV_PIX_FMT_RGB565, SWS_BILINEAR, nullptr, nullptr, nullptr);
    std::vector<uint16_t> pixels(kWidth * kHeight);
    uint8_t* target[] = {reinterpret_cast<uint8_t*>(pixels.data())};
    const int stride[] = {kWidth * 2};
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int frames = 0;
    auto drain = [&] {
        while (avcodec_receive_frame(decoder, frame) == 0) {
            sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, target, stride);
            benchmark::DoNotOptimize(pixels.data());
            ++frames;
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index) {
            avcodec_send_packet(decoder, packet);
            drain();
        }
        av_packet_unref(packet);
    }
    avcodec_send_packet(decoder, nullptr);
    drain();
    av_frame_free(&frame);
    av_packet_free(&packet);
    sws_freeContext(scaler);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return frames;
}

void timeDecoding(benchmark::State& state, int (*decodeClip)(const std::string& path))
{
    if (!BenchClip::shared().made())
        return state.SkipWithError("ffmpeg could not make the clip");
    int frames = 0;
    for (auto _ : state)
        frames = decodeClip(BenchClip::shared().path());
    state.counters["frames"] = frames;
    state.counters["realtime"] = benchmark::Counter(kClipSeconds * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK_CAPTURE(timeDecoding, PlainFfmpegLoop, decodeWithPlainLoop)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK_CAPTURE(timeDecoding, VideoSource, decodeWithSource)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK_CAPTURE(timeDecoding, VideoDecodeWorker, decodeWithWorker)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
