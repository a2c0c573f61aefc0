#include "system/wave_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void put16(Bytes& b, uint16_t v) {
    b.push_back(v & 0xFF);
    b.push_back(v >> 8);
}
void put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xFF);
}
void putTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(tag[i]));
}

Bytes formatChunk(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes b;
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, format);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * channels * bits / 8);
    put16(b, static_cast<uint16_t>(channels * bits / 8));
    put16(b, bits);
    return b;
}

Bytes chunk(const char* tag, const Bytes& body, uint32_t declaredSize) {
    Bytes b;
    putTag(b, tag);
    put32(b, declaredSize);
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2) b.push_back(0);
    return b;
}

Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes body;
    putTag(body, "WAVE");
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    putTag(b, "RIFF");
    put32(b, static_cast<uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

const Bytes kSixSampleBytes = {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0};

TEST(WaveFormat, ReadsPcmAndSkipsOtherChunksKeepingWholeFrames) {
    struct Case {
        const char* what;
        Bytes file;
        int channels, rate, bits;
        size_t sampleBytes;
        size_t samplesAt;
    };
    const Bytes mono = formatChunk(1, 1, 22050, 16);
    const Bytes stereo = formatChunk(1, 2, 44100, 16);
    const Bytes plain = riff({mono, chunk("data", kSixSampleBytes, 12)});
    const Bytes withList = riff({mono, chunk("LIST", {'a', 'b', 'c'}, 3), chunk("data", kSixSampleBytes, 12)});
    Bytes cutShort = riff({mono, chunk("data", kSixSampleBytes, 4000)});
    const Bytes halfFrame = riff({stereo, chunk("data", Bytes(kSixSampleBytes.begin(), kSixSampleBytes.begin() + 10), 10)});
    const std::vector<Case> cases = {
        {"plain mono", plain, 1, 22050, 16, 12, 44},
        {"odd-sized chunk before the samples", withList, 1, 22050, 16, 12, 56},
        {"data size beyond the file", cutShort, 1, 22050, 16, 12, 44},
        {"stereo with a frame cut in half", halfFrame, 2, 44100, 16, 8, 44},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        keslWaveSound sound;
        std::string problem;
        ASSERT_TRUE(parseWave(c.file.data(), c.file.size(), sound, problem)) << problem;
        EXPECT_EQ(sound.channels, c.channels);
        EXPECT_EQ(sound.sampleRate, c.rate);
        EXPECT_EQ(sound.bitsPerSample, c.bits);
        EXPECT_EQ(sound.sampleBytes, c.sampleBytes);
        EXPECT_EQ(sound.samples, c.file.data() + c.samplesAt);
    }
}

TEST(WaveFormat, RefusesWhatIsNotPlayablePcm) {
    const Bytes data = chunk("data", kSixSampleBytes, 12);
    Bytes notRiff = riff({formatChunk(1, 1, 22050, 16), data});
    notRiff[0] = 'X';
    const Bytes lyingFormat = riff({chunk("fmt ", {1, 0, 1, 0}, 16), data});
    const Bytes hugeChunk = riff({chunk("LIST", {}, 0xFFFFFFF0u), formatChunk(1, 1, 22050, 16), data});
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"not RIFF", notRiff},
        {"float samples", riff({formatChunk(3, 1, 22050, 32), data})},
        {"24-bit samples", riff({formatChunk(1, 1, 22050, 24), data})},
        {"no channels", riff({formatChunk(1, 0, 22050, 16), data})},
        {"six channels", riff({formatChunk(1, 6, 22050, 16), data})},
        {"rate zero", riff({formatChunk(1, 1, 0, 16), data})},
        {"samples before the format", riff({data, formatChunk(1, 1, 22050, 16)})},
        {"format chunk cut short", lyingFormat},
        {"no samples", riff({formatChunk(1, 1, 22050, 16)})},
        {"empty samples", riff({formatChunk(1, 1, 22050, 16), chunk("data", {}, 0)})},
        {"chunk size past the end", hugeChunk},
        {"twelve zero bytes", Bytes(12, 0)},
    };
    for (const auto& [what, file] : cases) {
        SCOPED_TRACE(what);
        keslWaveSound sound;
        std::string problem;
        EXPECT_FALSE(parseWave(file.data(), file.size(), sound, problem));
        EXPECT_FALSE(problem.empty());
        EXPECT_EQ(sound.samples, nullptr);
    }
    keslWaveSound sound;
    std::string problem;
    EXPECT_FALSE(parseWave(nullptr, 0, sound, problem));
}

}  // namespace
