#pragma once

#include "app/CApplication.h"
#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "media/CPlayableObserver.h"
#include "media/CSound4.h"
#include "platform/PathResolver.h"
#include "platform/SoundDevice.h"

#include "tests/EngineWorld.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

// WAV files for the tests, built byte by byte.
namespace wav {

inline std::string le16(int value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

inline std::string le32(uint32_t value)
{
    return le16(static_cast<int>(value & 0xFFFF)) + le16(static_cast<int>(value >> 16));
}

// A chunk whose size field says `declared` bytes, whatever the body holds.
inline std::string chunkDeclaring(const std::string& id, uint32_t declared, const std::string& body)
{
    return id + le32(declared) + body;
}

// A well-formed chunk: an odd body is followed by its pad byte.
inline std::string chunk(const std::string& id, const std::string& body)
{
    return chunkDeclaring(id, static_cast<uint32_t>(body.size()), body) + (body.size() % 2 ? std::string(1, '\0') : "");
}

inline std::string formatBody(int tag, int channels, uint32_t rate, int bits)
{
    const int block = channels * bits / 8;
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * block) + le16(block) + le16(bits);
}

inline std::string fmt(int tag, int channels, uint32_t rate, int bits)
{
    return chunk("fmt ", formatBody(tag, channels, rate, bits));
}

inline std::string riff(const std::string& chunks)
{
    return "RIFF" + le32(static_cast<uint32_t>(chunks.size() + 4)) + "WAVE" + chunks;
}

inline std::string samples16(const std::vector<int16_t>& samples)
{
    return std::string(reinterpret_cast<const char*>(samples.data()), samples.size() * 2);
}

// Where the header of the first "data" chunk of a file begins, and the size it declares; the
// file's end when it has none.
inline std::pair<size_t, uint32_t> dataChunkAt(const std::string& file)
{
    for (size_t at = 12; at + 8 <= file.size();) {
        uint32_t size;
        std::memcpy(&size, &file[at + 4], 4);
        if (file.compare(at, 4, "data") == 0)
            return {at, size};
        at += 8 + size + (size & 1);
    }
    return {file.size(), 0};
}

// The bytes of the first "data" chunk of a file, as far as the file holds them.
inline std::string dataChunkOf(const std::string& file)
{
    const auto [at, size] = dataChunkAt(file);
    return at < file.size() ? file.substr(at + 8, size) : "";
}

// The file with the bytes put in just before its "data" chunk, its RIFF size grown to match.
inline std::string insertedBeforeData(const std::string& file, const std::string& bytes)
{
    std::string grown = file;
    grown.insert(dataChunkAt(file).first, bytes);
    return riff(grown.substr(12));
}

inline std::vector<int16_t> asSamples(const std::string& bytes)
{
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

} // namespace wav

// Runs sox with the arguments; true when it made its file.
inline bool sox(const std::string& arguments)
{
    return std::system(("sox " + arguments + " 2>/dev/null").c_str()) == 0;
}

// The amplitude of one frequency in a stretch of one channel of interleaved samples (a single
// bin of a Fourier transform; exact for whole periods).
inline double toneLevel(const std::vector<float>& samples, int channels, int channel, double hz, size_t from, size_t count, double rate = 44100)
{
    double re = 0;
    double im = 0;
    for (size_t i = 0; i < count; ++i) {
        const double phase = 2 * std::numbers::pi * hz * static_cast<double>(i) / rate;
        const double value = samples[(from + i) * channels + channel];
        re += value * std::cos(phase);
        im += value * std::sin(phase);
    }
    return 2 * std::sqrt(re * re + im * im) / static_cast<double>(count);
}

inline double decibels(double ratio)
{
    return 20 * std::log10(ratio);
}

// The mix's samples as the 16-bit values they stand for.
inline int16_t outputSample(const std::vector<float>& mix, size_t index)
{
    return static_cast<int16_t>(std::lrint(mix[index] * 32768.0f));
}

// What a playable told its observers, in order.
struct PlayLog : CPlayableObserver {
    bool onPlayableStarted(CPlayable*) override { return record("started"); }
    bool onPlayableFinished(CPlayable*) override { return record("finished"); }
    bool onPlayableResumed(CPlayable*) override { return record("resumed"); }

    bool record(const char* event)
    {
        events.push_back(event);
        return false;
    }
    std::vector<std::string> take()
    {
        std::vector<std::string> taken;
        taken.swap(events);
        return taken;
    }

    std::vector<std::string> events;
};

// A running engine over a fresh data folder: the window with its application, sounding on
// the loopback device, and a frame every 10 ms of sound.
class SoundWorld {
public:
    static constexpr uint32_t kFrameMs = 10;

    // The speakers are SDL's silent driver, which takes the mix in real time.
    explicit SoundWorld(platform::SoundOutput output = platform::SoundOutput::Loopback)
        : output_(output)
    {
        platform::SoundDevice::setOutput(platform::SoundOutput::Loopback);
    }

    CWindow* window() const { return engine_.window(); }
    CApplication* application() const { return engine_.application(); }
    platform::SoundDevice* device() const { return CSound4::getDirectSound(); }
    const TempFolder& folder() const { return engine_.folder(); }
    std::string write(const std::string& name, const std::string& bytes) const { return engine_.write(name, bytes); }

    // Renders that much sound, with the window's frame after every 10 ms of it.
    std::vector<float> run(uint32_t ms)
    {
        std::vector<float> mix;
        for (uint32_t done = 0; done < ms; done += kFrameMs) {
            const std::vector<float> part = device()->render(platform::SoundDevice::kRate * kFrameMs / 1000);
            mix.insert(mix.end(), part.begin(), part.end());
            window()->Tick();
        }
        return mix;
    }

private:
    // The output of the device that the window opens.
    struct Output {
        explicit Output(platform::SoundOutput output)
        {
            if (output == platform::SoundOutput::Speakers)
                setenv("SDL_AUDIODRIVER", "dummy", 1);
            platform::SoundDevice::setOutput(output);
        }
    };

    Output output_;
    EngineWorld engine_;
};

// A 16-bit mono WAV at 44,100 Hz whose samples count 1, 2, 3 ...: any sample tells where in
// the sound it lies.
inline std::string rampWav(int frames)
{
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[static_cast<size_t>(i)] = static_cast<int16_t>(i + 1);
    return wav::riff(wav::fmt(1, 1, 44100, 16) + wav::chunk("data", wav::samples16(samples)));
}

// 16-bit samples of noise, the same for the same seed.
inline std::vector<int16_t> noise(size_t count, uint32_t seed)
{
    std::vector<int16_t> samples(count);
    for (int16_t& sample : samples) {
        seed = seed * 214013 + 2531011;
        sample = static_cast<int16_t>((seed >> 8) & 0x7FFF) - 16384;
    }
    return samples;
}
