// The sounds compiled into the program, as the player reads them.
#include "system/resource_table.h"
#include "system/wave_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

TEST(SoundResources, EveryWaveIsSoftMonoPcmAndNeverClipped) {
    // -1 dBFS of full scale.
    const int kHighestAllowedPeak = 29204;
    for (int id : {4, 109, 111, 112, 114, 115, 116, 117}) {
        SCOPED_TRACE(id);
        const keslResourceBytes bytes = keslFindResource(keslResourceKind::sound, id);
        ASSERT_TRUE(bytes);
        keslWaveSound sound;
        std::string problem;
        ASSERT_TRUE(parseWave(bytes.data, bytes.size, sound, problem)) << problem;
        EXPECT_EQ(sound.channels, 1);
        EXPECT_EQ(sound.bitsPerSample, 16);
        EXPECT_EQ(sound.sampleRate, 22050);
        EXPECT_GE(sound.seconds(), 2.0);
        EXPECT_LE(sound.seconds(), 25.0);
        // The samples fill the file: no trailing garbage is played, none is missing.
        EXPECT_EQ(static_cast<size_t>(sound.samples - bytes.data) + sound.sampleBytes, bytes.size);

        int peak = 0;
        for (size_t i = 0; i + 1 < sound.sampleBytes; i += 2) {
            int16_t sample = 0;
            std::memcpy(&sample, sound.samples + i, 2);
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        EXPECT_LT(peak, kHighestAllowedPeak);
        EXPECT_GT(peak, 0);
    }
}

TEST(SoundResources, NoSoundBehindOtherIdsNorBehindTheBitmaps) {
    for (int id : {0, 113, 123, 124}) EXPECT_FALSE(keslFindResource(keslResourceKind::sound, id)) << id;
}

}  // namespace
