#pragma once

#include "platform/VideoSource.h"

#include "TempFolder.h"

#include <cstdlib>
#include <string>

// Videos made by Debian's ffmpeg once per test program: two seconds of a 64 × 48 test pattern
// at 10 pictures a second whose top band (16 rows) is a flat grey telling the picture's index,
// with a 440 Hz tone.
class VideoFixtures {
public:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;
    static constexpr int kFrameCount = 20;
    static constexpr int64_t kFrameTime = platform::kVideoTimeUnitsPerSecond / 10;
    static constexpr int kToneFrequency = 440;

    static const VideoFixtures& shared()
    {
        static const VideoFixtures fixtures;
        return fixtures;
    }

    // MPEG-4 Part 2 with PCM sound in AVI.
    std::string avi() const { return folder_.file("clip.avi"); }
    // MPEG-1 with MPEG audio in a program stream.
    std::string mpeg() const { return folder_.file("clip.mpg"); }
    // The MPEG-1 pictures alone, with no container to seek in.
    std::string elementary() const { return folder_.file("clip.m1v"); }
    // The tone alone.
    std::string sound() const { return folder_.file("tone.wav"); }
    bool made() const { return made_; }
    const TempFolder& folder() const { return folder_; }

    // The picture index that the grey of the band tells; the green of the whole band is averaged,
    // since the conversion to 16 bits dithers.
    static int bandIndex(const platform::VideoFrame& frame, platform::VideoPixelFormat format)
    {
        const bool sixBits = format == platform::VideoPixelFormat::Rgb565;
        const int greenMax = sixBits ? 63 : 31;
        long sum = 0;
        int count = 0;
        for (int y = 2; y < kBandHeight - 2; ++y) {
            for (int x = 0; x < kWidth; ++x, ++count)
                sum += (frame.pixels.at(y * kWidth + x) >> 5) & greenMax;
        }
        const double grey = static_cast<double>(sum) / count * 255 / greenMax;
        return static_cast<int>(grey / kGreyStep + 0.5);
    }

private:
    static constexpr int kGreyStep = 12;
    static constexpr int kBandHeight = 16;

    VideoFixtures()
    {
        const std::string pattern =
            "'testsrc=size=64x48:rate=10:duration=2,format=rgb24,"
            "geq=r=if(lt(Y\\,16)\\,N*12\\,r(X\\,Y)):g=if(lt(Y\\,16)\\,N*12\\,g(X\\,Y)):b=if(lt(Y\\,16)\\,N*12\\,b(X\\,Y))'";
        const std::string tone = "'sine=frequency=440:sample_rate=44100:duration=2'";
        const std::string ffmpeg = "ffmpeg -nostdin -v error -y -f lavfi -i " + pattern + " -f lavfi -i " + tone + " ";
        made_ = run(ffmpeg + "-c:v mpeg4 -q:v 2 -c:a pcm_s16le " + quoted(avi())) &&
                run(ffmpeg + "-c:v mpeg1video -strict unofficial -q:v 2 -c:a mp2 -f mpeg " + quoted(mpeg())) &&
                run(ffmpeg + "-map 0:v -c:v mpeg1video -strict unofficial -q:v 2 -f mpeg1video " + quoted(elementary())) &&
                run("ffmpeg -nostdin -v error -y -f lavfi -i " + tone + " -c:a pcm_s16le " + quoted(sound()));
    }

    static std::string quoted(const std::string& path) { return "'" + path + "'"; }
    static bool run(const std::string& command) { return std::system(command.c_str()) == 0; }

    TempFolder folder_;
    bool made_ = false;
};
