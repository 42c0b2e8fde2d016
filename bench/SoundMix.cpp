// Ten seconds of sound on the loopback device: 64 sounds of every kind, looping, and a
// streamed music, with the engine's frame (and so the sound manager's check) every 10 ms.
// The figure that matters is cpu_per_audio_s: the process's CPU time, worker included, per
// second of sound.
#include "media/CSound4.h"

#include "tests/media/SoundTestKit.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

constexpr int kSounds = 64;
constexpr uint32_t kAudioMs = 10000;

// Two seconds of noise in one of twelve formats.
std::string soundFile(int index)
{
    static constexpr uint32_t rates[] = {11025, 22050, 44100};
    const uint32_t rate = rates[index % 3];
    const int channels = 1 + index / 3 % 2;
    const int bits = index / 6 % 2 ? 8 : 16;
    const std::vector<int16_t> samples = noise(rate * 2 * static_cast<size_t>(channels), static_cast<uint32_t>(index));
    std::string data;
    for (int16_t sample : samples)
        data += bits == 16 ? wav::le16(sample) : std::string(1, static_cast<char>((sample >> 8) + 128));
    return wav::riff(wav::fmt(1, channels, rate, bits) + wav::chunk("data", data));
}

void SoundMix(benchmark::State& state)
{
    SoundWorld world;
    std::vector<std::unique_ptr<CSound4>> sounds;
    for (int i = 0; i < kSounds; ++i) {
        const std::string name = "sound" + std::to_string(i) + ".wav";
        world.write(name, soundFile(i));
        auto sound = std::make_unique<CSound4>(world.window(), name.c_str(), false, true);
        sound->setVolume(-100 * (i % 20));
        sound->setPanning(500 * (i % 9) - 2000);
        sound->setFrequency(i % 4 == 0 ? 0 : 8000 + 1000 * i);
        sound->Play(true);
        sounds.push_back(std::move(sound));
    }
    world.write("music.wav", wav::riff(wav::fmt(1, 2, 22050, 16) + wav::chunk("data", wav::samples16(noise(22050 * 2 * 6, 99)))));
    world.window()->StartMusic("music.wav", true);

    const uint32_t framesPerTick = platform::SoundDevice::kRate * SoundWorld::kFrameMs / 1000;
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        for (uint32_t done = 0; done < kAudioMs; done += SoundWorld::kFrameMs) {
            benchmark::DoNotOptimize(world.device()->render(framesPerTick));
            world.window()->Tick();
        }
    }
    const double cpuSeconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    state.counters["cpu_per_audio_s"] = cpuSeconds / (static_cast<double>(state.iterations()) * kAudioMs / 1000.0);
    if (!world.window()->isMusicPlaying())
        state.SkipWithError("the music stopped");
    sounds.clear();
}

} // namespace

BENCHMARK(SoundMix)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
