// Drawing only what changed must show exactly what drawing every frame
// whole shows. Two skies are built from one seed and one fake clock: one
// draws and presents whole frames, the other only its changed rectangles,
// presented onto a "screen" that keeps whatever was not presented. After
// every frame the two screens must be the same, byte for byte.
#include "platform/window.h"
#include "settings/app_settings.h"
#include "sprites/random.h"
#include "support/fake_system.h"
#include "support/temp_folder.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 3000;
constexpr int kFramesPerClockSecond = 25;
constexpr unsigned kSeed = 20261208;

// The C library's generator as one sky sees it. glibc's rand() is random(),
// whose state can be swapped, so two skies stepped in turn each draw the
// numbers a sky alone would have drawn.
class RandomStream {
public:
    explicit RandomStream(unsigned seed) : m_previous(initstate(seed, m_state, sizeof m_state)) {
        setstate(m_previous);
    }
    // The generator must not go on writing into this object's memory.
    ~RandomStream() { setstate(m_previous); }
    RandomStream(const RandomStream&) = delete;
    RandomStream& operator=(const RandomStream&) = delete;

    void use() { setstate(m_state); }

private:
    char m_state[256];
    char* m_previous;
};

// A raster window whose presenter copies what a flush presents onto a screen
// that keeps everything else, as an X window keeps what it was last sent.
class PresentedSky {
public:
    explicit PresentedSky(unsigned seed) : m_random(seed), m_screen(kWidth, kHeight) {
        m_window.setPresenter([this](const keslPixelSurface& frame) { present(frame); });
        m_random.use();
        m_world = std::make_unique<TorvanelWorld>(&m_window, false, keslRect<int>(0, 0, kWidth, kHeight),
                                                  static_cast<long>(kWidth) * kHeight, "");
    }

    void runFrame() {
        m_random.use();
        m_world->update(0.04f);
        m_world->draw();
        m_window.flush();
    }

    TorvanelWorld& world() { return *m_world; }
    const keslPixelSurface& screen() const { return m_screen; }

private:
    void present(const keslPixelSurface& frame) {
        for (const keslRect<int>& r : m_window.damage()) {
            for (int y = r.top; y < r.getBottom(); ++y) {
                std::memcpy(m_screen.row(y) + r.left, frame.row(y) + r.left,
                            static_cast<size_t>(r.width) * sizeof(keslPixel));
            }
        }
    }

    RandomStream m_random;
    keslWindow m_window{kWidth, kHeight};
    keslPixelSurface m_screen;
    std::unique_ptr<TorvanelWorld> m_world;
};

// The first row (from the top) where two equal-sized screens differ, or -1.
int firstDifferentRow(const keslPixelSurface& a, const keslPixelSurface& b) {
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.row(y), b.row(y), static_cast<size_t>(a.width()) * sizeof(keslPixel)) != 0) return y;
    }
    return -1;
}

bool quoteShowing(const TorvanelWorld& world) {
    const cQuotesSprite& quote = world.getQuotesLabel();
    return quote.isVisible() && quote.dimState != cSpriteTextDimming::kIdle &&
           quote.dimState != cSpriteTextDimming::kDone;
}

bool messageStarsFlying(const TorvanelWorld& world) {
    for (const auto& star : world.getMsgStars()) {
        if (star->active && star->moveStarted && !star->moveEnded) return true;
    }
    return false;
}

TEST(DirtyFrames, ThreeThousandFramesOfTheDefaultSkyMatchWholeFramesByteForByte) {
    FakeSystem system;
    TempFolder folder;
    system.temp = folder.path();
    system.appData = folder.path();
    // The one clock seeding happens now, so it cannot reseed a stream later.
    keslSeedRandomOnce();
    PresentedSky whole(kSeed);
    PresentedSky dirty(kSeed);
    whole.world().setDrawWholeFrames(true);

    int partialFrames = 0;
    int quoteFrames = 0;
    int flightFrames = 0;
    int fallingFrames = 0;
    for (int frame = 0; frame < kFrames; ++frame) {
        if (frame % kFramesPerClockSecond == 0) ++system.now;
        whole.runFrame();
        dirty.runFrame();
        const int row = firstDifferentRow(whole.screen(), dirty.screen());
        ASSERT_EQ(row, -1) << "frame " << frame << " differs from row " << row;
        const TorvanelWorld& sky = dirty.world();
        partialFrames += sky.lastDrawn().isWhole() ? 0 : 1;
        quoteFrames += quoteShowing(sky) ? 1 : 0;
        flightFrames += messageStarsFlying(sky) ? 1 : 0;
        fallingFrames += sky.getFallingStar().isLaunched() && sky.getFallingStar().getWait() <= 0.0f ? 1 : 0;
    }
    // The run covered what it claims to: a message flying in, a quote, a falling star.
    EXPECT_GT(flightFrames, 0);
    EXPECT_GT(quoteFrames, 0);
    EXPECT_GT(fallingFrames, 0);
    EXPECT_TRUE(dirty.world().getClock().isVisible());
    // And most frames were drawn in part, or the comparison proved nothing.
    EXPECT_GT(partialFrames, kFrames / 2);
}

// The real sky over Berlin with its names: the catalogue's stars twinkle,
// the layer is drawn anew as the sky turns, and a turn may shift a star or a
// name by a pixel. The clock runs five times faster than on screen, so the
// sky turns several pixels within the run.
TEST(DirtyFrames, TheRealSkyDrawnInPartsMatchesWholeFramesWhileItTwinklesAndTurns) {
    constexpr int kRealSkyFrames = 400;
    constexpr int kFramesPerFastSecond = 5;
    keslKeyValue& settings = settingsGroups::defaultStore();
    FakeSystem system;
    TempFolder folder;
    system.temp = folder.path();
    system.appData = folder.path();
    system.now = 1768507200;  // 2026-01-15 20:00 UTC: Orion up, the Milky Way across
    struct Overrides {
        keslKeyValue& store;
        void set(const std::string& realSky, const std::string& names, const std::string& latitude,
                 const std::string& longitude) {
            store.overrideForThisRun("realSky", realSky);
            store.overrideForThisRun("showSkyNames", names);
            store.overrideForThisRun("skyLatitude", latitude);
            store.overrideForThisRun("skyLongitude", longitude);
        }
        ~Overrides() { set("no", "no", "", ""); }
    } overrides{settings};
    overrides.set("yes", "yes", "52.5", "13.4");
    keslSeedRandomOnce();
    PresentedSky whole(kSeed);
    PresentedSky dirty(kSeed);
    whole.world().setDrawWholeFrames(true);
    const cRealSkySprite* sky = dirty.world().getRealSky();
    ASSERT_NE(sky, nullptr);
    const int rendersAtStart = sky->layerRenders();

    int partialFrames = 0;
    for (int frame = 0; frame < kRealSkyFrames; ++frame) {
        if (frame % kFramesPerFastSecond == 0) ++system.now;
        whole.runFrame();
        dirty.runFrame();
        const int row = firstDifferentRow(whole.screen(), dirty.screen());
        ASSERT_EQ(row, -1) << "frame " << frame << " differs from row " << row;
        partialFrames += dirty.world().lastDrawn().isWhole() ? 0 : 1;
    }
    EXPECT_GT(sky->layerRenders(), rendersAtStart);
    EXPECT_GT(partialFrames, kRealSkyFrames / 2);
}

// --show-dirty outlines what a frame drew; the outline must not stay behind
// on the screen once the switch is off, though nothing else changes there.
TEST(DirtyFrames, OutlinesOfDrawnRectanglesAreGoneTheFrameAfterTheSwitchIsOff) {
    FakeSystem system;
    TempFolder folder;
    system.temp = folder.path();
    system.appData = folder.path();
    keslSeedRandomOnce();
    PresentedSky sky(kSeed);
    auto outlinePixels = [&] {
        const keslPixel outline = toPixel(TorvanelWorld::kDirtyOutlineColor);
        int count = 0;
        for (int y = 0; y < kHeight; ++y) count += static_cast<int>(std::count(sky.screen().row(y), sky.screen().row(y) + kWidth, outline));
        return count;
    };
    for (int frame = 0; frame < 50; ++frame) sky.runFrame();
    sky.world().setShowDirty(true);
    sky.runFrame();
    sky.runFrame();
    ASSERT_FALSE(sky.world().lastDrawn().isWhole());
    EXPECT_GT(outlinePixels(), 0);
    sky.world().setShowDirty(false);
    sky.runFrame();
    EXPECT_EQ(outlinePixels(), 0);
}

}  // namespace
