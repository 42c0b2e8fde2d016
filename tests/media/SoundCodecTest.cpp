#include "foundation/CDataBuffer.h"
#include "foundation/CFile.h"
#include "media/CSoundCodec.h"

#include "SoundTestKit.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <optional>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// The codec table for one test.
struct CodecTable {
    CodecTable() { CSoundCodec::init_codecs(); }
    ~CodecTable() { CSoundCodec::done_codecs(); }
};

// What the codec of `tag` makes of a file: its samples and format, or nothing.
struct Decoded {
    std::string samples;
    platform::WaveFormat format;
};

std::optional<Decoded> decode(int tag, const std::string& path)
{
    CSoundCodec* codec = CSoundCodec::getCodec(tag);
    CFile file(nullptr, path.c_str(), CFile::MODE_READ | CFile::MODE_BINARY);
    if (codec == nullptr || file.LastError() != 0)
        return std::nullopt;
    std::optional<Decoded> result;
    if (codec->decode(&file)) {
        CDataBuffer* data = codec->getData();
        result = Decoded{std::string(static_cast<const char*>(data->getPtr()), static_cast<size_t>(data->getMemoryUsage())),
                         *codec->getDesc()};
    }
    codec->flush();
    EXPECT_EQ(codec->getData(), nullptr);
    return result;
}

// libsndfile's own reading of a file by its path, as 16-bit samples.
std::string libsndfileDecode(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* sound = sf_open(path.c_str(), SFM_READ, &info);
    if (sound == nullptr)
        return "";
    std::vector<short> samples(static_cast<size_t>(info.frames * info.channels));
    const sf_count_t frames = sf_readf_short(sound, samples.data(), info.frames);
    sf_close(sound);
    return std::string(reinterpret_cast<const char*>(samples.data()), static_cast<size_t>(frames * info.channels * 2));
}

const std::string kSamples = wav::samples16({1, -2, 300, -4000, 32767, -32768});

// Whether `check` holds, worked out in a child process that is given `limit` to end: none when
// it did not end in time (it is then killed).
std::optional<bool> holdsWithin(std::chrono::seconds limit, const std::function<bool()>& check)
{
    const pid_t child = fork();
    if (child == 0)
        std::_Exit(check() ? 0 : 1);
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > giveUp) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A "LIST" chunk whose "INFO" sub-chunk claims nearly 4 GiB: given the chunk, libsndfile's own
// reader walks on for ever. The chunk's own size, 20, runs 5 bytes past what it holds.
const std::string kListClaimingNearly4GiB = wav::chunkDeclaring("LIST", 20, "INFOINA\xBC\xF7\xFF\xFF\xFF\x91\x90\xDF");

} // namespace

TEST(SoundCodec, TheTableHasCodecsForTagsOneAndTwoOnly)
{
    EXPECT_EQ(CSoundCodec::getCodec(1), nullptr); // no table yet
    CodecTable table;
    for (int tag : {-1, 0, 3, 0x55, 0xFFFE})
        EXPECT_EQ(CSoundCodec::getCodec(tag), nullptr) << tag;
    EXPECT_NE(CSoundCodec::getCodec(1), nullptr);
    EXPECT_NE(CSoundCodec::getCodec(2), nullptr);
}

TEST(SoundCodec, SoxFilesDecode)
{
    struct Case {
        const char* name;
        const char* soxFormat;
        int tag;
        int channels;
        uint32_t rate;
    };
    const Case cases[] = {
        {"pcm8-mono-8000.wav", "-r 8000 -b 8 -c 1", 1, 1, 8000},
        {"pcm8-stereo-11025.wav", "-r 11025 -b 8 -c 2", 1, 2, 11025},
        {"pcm16-mono-44100.wav", "-r 44100 -b 16 -c 1", 1, 1, 44100},
        {"pcm16-stereo-22050.wav", "-r 22050 -b 16 -c 2", 1, 2, 22050},
        {"adpcm-mono-22050.wav", "-r 22050 -c 1 -e ms-adpcm", 2, 1, 22050},
        {"adpcm-stereo-44100.wav", "-r 44100 -c 2 -e ms-adpcm", 2, 2, 44100},
    };
    TempFolder folder;
    CodecTable table;
    for (const Case& c : cases) {
        const std::string path = folder.file(c.name);
        ASSERT_TRUE(sox("-n " + std::string(c.soxFormat) + " " + path + " synth 0.3 sine 300-900"));
        const std::optional<Decoded> decoded = decode(c.tag, path);
        ASSERT_TRUE(decoded) << c.name;
        const std::string expected = c.tag == 1 ? wav::dataChunkOf(folder.read(c.name)) : libsndfileDecode(path);
        EXPECT_FALSE(expected.empty()) << c.name;
        EXPECT_EQ(decoded->samples, expected) << c.name;
        EXPECT_EQ(decoded->format.formatTag, 1) << c.name;
        EXPECT_EQ(decoded->format.channels, c.channels) << c.name;
        EXPECT_EQ(decoded->format.samplesPerSec, c.rate) << c.name;
        EXPECT_TRUE(decoded->format.isPlayable()) << c.name;
    }
}

TEST(SoundCodec, ThePcmReaderWalksOddAndDamagedFilesWithinTheirBytes)
{
    const std::string format = wav::fmt(1, 1, 22050, 16);
    const std::string data = wav::chunk("data", kSamples);
    struct Case {
        const char* name;
        std::string file;
        std::optional<std::string> samples; // none: the file does not decode
    };
    const Case cases[] = {
        {"list-before-fmt", wav::riff(wav::chunk("LIST", "odd") + format + wav::chunk("LIST", "x") + data), kSamples},
        {"long-fmt", wav::riff(wav::chunk("fmt ", wav::formatBody(1, 1, 22050, 16) + wav::le16(4) + "more") + data), kSamples},
        {"chunks-after-data", wav::riff(format + data + wav::chunk("LIST", "trailing")), kSamples},
        {"data-cut-short", wav::riff(format + wav::chunkDeclaring("data", 1000, kSamples)), kSamples},
        {"data-size-huge", wav::riff(format + wav::chunkDeclaring("data", 0xFFFFFFFF, kSamples)), kSamples},
        {"no-fmt", wav::riff(data), std::nullopt},
        {"no-data", wav::riff(format + wav::chunk("LIST", "abcd")), std::nullopt},
        {"fmt-size-huge", wav::riff(wav::chunkDeclaring("fmt ", 0x7FFFFFF0, wav::formatBody(1, 1, 22050, 16)) + data), std::nullopt},
        {"fmt-too-short", wav::riff(wav::chunk("fmt ", "\x01")), std::nullopt},
        {"cut-in-chunk-header", wav::riff(format + "dat"), std::nullopt},
        {"not-riff", "RIFX" + wav::riff(format + data).substr(4), std::nullopt},
        {"empty", "", std::nullopt},
    };
    TempFolder folder;
    CodecTable table;
    for (const Case& c : cases) {
        const std::optional<Decoded> decoded = decode(1, folder.write(c.name, c.file));
        ASSERT_EQ(decoded.has_value(), c.samples.has_value()) << c.name;
        if (decoded) {
            EXPECT_EQ(decoded->samples, *c.samples) << c.name;
        }
    }
}

TEST(SoundCodec, DamagedAdpcmDecodesWhatItHoldsOrNothing)
{
    TempFolder folder;
    CodecTable table;
    const std::string path = folder.file("whole.wav");
    ASSERT_TRUE(sox("-n -r 22050 -c 1 -e ms-adpcm " + path + " synth 1 sine 440"));
    const std::string whole = folder.read("whole.wav");
    const std::optional<Decoded> full = decode(2, path);
    ASSERT_TRUE(full);

    const std::optional<Decoded> half = decode(2, folder.write("half.wav", whole.substr(0, whole.size() / 2)));
    ASSERT_TRUE(half);
    EXPECT_LT(half->samples.size(), full->samples.size());
    EXPECT_EQ(half->samples, full->samples.substr(0, half->samples.size()));
    const std::string garbage = wav::riff(wav::fmt(2, 1, 22050, 4) + wav::chunk("data", std::string(64, '\x5A')));
    decode(2, folder.write("garbage.wav", garbage));
    EXPECT_FALSE(decode(2, folder.write("not-a-wav.wav", std::string(200, 'x'))));
}

TEST(SoundCodec, TheAdpcmCodecNeverHandsLibsndfileAChunkThatTheEngineDoesNotRead)
{
    TempFolder folder;
    CodecTable table;
    ASSERT_TRUE(sox("-n -r 22050 -c 1 -e ms-adpcm " + folder.file("adpcm.wav") + " synth 0.1 sine 440"));
    ASSERT_TRUE(sox("-n -r 22050 -c 1 -b 16 " + folder.file("pcm.wav") + " synth 0.05 sine 440"));
    for (const char* name : {"adpcm.wav", "pcm.wav"}) {
        SCOPED_TRACE(name);
        const std::string clean = folder.read(name);
        const std::optional<Decoded> expected = decode(2, folder.file(name));
        ASSERT_TRUE(expected);
        // Filled out to its size, the chunk is skipped whole and the sound decodes as without it.
        const std::string filledOut = folder.write(
            std::string("filled-out-") + name, wav::insertedBeforeData(clean, kListClaimingNearly4GiB + std::string(5, '\0')));
        EXPECT_EQ(holdsWithin(std::chrono::seconds(10), [&] {
                      const std::optional<Decoded> decoded = decode(2, filledOut);
                      return decoded && decoded->samples == expected->samples;
                  }),
                  std::optional(true));
        // As found, its size hides the "data" chunk's header from our walk: nothing decodes.
        const std::string asFound =
            folder.write(std::string("as-found-") + name, wav::insertedBeforeData(clean, kListClaimingNearly4GiB));
        EXPECT_EQ(holdsWithin(std::chrono::seconds(10), [&] { return !decode(2, asFound); }), std::optional(true));
    }
}
