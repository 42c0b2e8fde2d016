#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

// A 16-bit PCM WAV file as the program writes it: the 44-byte header, then the samples.
struct WavSound {
    uint32_t rate = 0;
    uint16_t channels = 0;
    std::vector<int16_t> samples;

    // None when the bytes are not such a file.
    static std::optional<WavSound> read(const std::string& bytes)
    {
        constexpr size_t kHeader = 44;
        if (bytes.size() < kHeader || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0 ||
            bytes.compare(36, 4, "data") != 0)
            return std::nullopt;
        WavSound sound;
        std::memcpy(&sound.channels, bytes.data() + 22, 2);
        std::memcpy(&sound.rate, bytes.data() + 24, 4);
        uint32_t size = 0;
        std::memcpy(&size, bytes.data() + 40, 4);
        if (sound.channels == 0 || size != bytes.size() - kHeader)
            return std::nullopt;
        sound.samples.resize(size / 2);
        std::memcpy(sound.samples.data(), bytes.data() + kHeader, size);
        return sound;
    }

    size_t frames() const { return samples.size() / channels; }

    // The strength of one frequency in the frames [first, first + count) of the first channel:
    // the amplitude of a sine of that frequency, in sample steps (Goertzel's filter over a Hann
    // window, so that other tones leak little into it).
    double tone(double frequency, size_t first, size_t count) const
    {
        const double k = 2 * std::cos(2 * std::numbers::pi * frequency / rate);
        double s1 = 0;
        double s2 = 0;
        double weights = 0;
        for (size_t i = 0; i < count && first + i < frames(); ++i) {
            const double weight = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / count);
            const double s = weight * samples[(first + i) * channels] + k * s1 - s2;
            s2 = s1;
            s1 = s;
            weights += weight;
        }
        return weights > 0 ? 2 * std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - k * s1 * s2)) / weights : 0;
    }
};
