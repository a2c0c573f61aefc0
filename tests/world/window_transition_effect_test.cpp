#include "support/log_capture.h"
#include "support/recording_window.h"
#include "world/window_transition_effect_old_tv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string format(const char* pattern, int a, int b = 0, int c = 0, int d = 0) {
    char line[128];
    std::snprintf(line, sizeof line, pattern, a, b, c, d);
    return line;
}

TEST(OldTVEffect, OnA1920By1080MonitorClosesTheBarsShrinksTheLineAndTheDotThenHandsTheWindowBack) {
    RecordingWindow window(1920, 1080);
    cWindowTransitionEffect_OldTV effect;
    effect.initWithWindow(&window, keslRect<int>(0, 0, 1920, 1080), 0);
    EXPECT_EQ(window.takeCalls(), std::vector<std::string>{"setDoubleBuffered off"});
    EXPECT_EQ(effect.getCentreX(), 960);
    EXPECT_EQ(effect.getCentreY(), 540);
    EXPECT_EQ(effect.getBarStep(), 54);

    std::vector<std::string> expected;
    for (int height = 54; height <= 540; height += 54) {
        expected.push_back(format("fillRect 0 0 1920 %d 050510FF", height));
        expected.push_back(format("fillRect %d 0 1920 %d 050510FF", 1080 - height, height));
    }
    for (int left = 0; left <= 960; left += 120) {
        expected.push_back("clearWithColor 050510FF");
        expected.push_back(format("drawLine %d 540 %d 540 1 FFFFFFFF", left, 1920 - left));
    }
    for (int radius = 25; radius >= 1; radius -= 4) {
        expected.push_back("clearWithColor 050510FF");
        expected.push_back(format("fillCircle 960 540 %d FFFFFFFF", radius));
    }
    expected.push_back("setDoubleBuffered on");
    expected.push_back("clearWithColor 050510FF");

    std::vector<std::string> drawn;
    int steps = 0;
    for (; steps < 100 && !effect.isFinished(); ++steps) {
        for (const std::string& call : window.takeCalls()) drawn.push_back(call);
        effect.stepEffect();
    }
    for (const std::string& call : window.takeCalls()) drawn.push_back(call);
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(steps, 10 + 9 + 7);
    EXPECT_TRUE(window.isDoubleBuffered());

    effect.stepEffect();
    EXPECT_TRUE(window.takeCalls().empty());
}

// The line shrinks by an eighth of the monitor's own half width, wherever the
// monitor lies; a monitor of a few pixels still reaches the end of the effect.
TEST(OldTVEffect, EveryMonitorPlaysTheWholeEffectInBoundedSteps) {
    struct Case {
        keslRect<int> monitor;
        int lineFrames;
        int firstLineStep;
    };
    const Case cases[] = {
        {{0, 1280, 1920, 1080}, 9, 120},
        {{0, 3840, 1920, 1080}, 9, 120},
        {{0, 0, 152, 112}, 9, 9},
        {{0, 0, 10, 10}, 6, 1},
        {{0, 0, 0, 0}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.monitor.toString());
        RecordingWindow window(5760, 1080);
        cWindowTransitionEffect_OldTV effect;
        effect.initWithWindow(&window, c.monitor, 0);
        int lineFrames = 0;
        std::vector<std::string> lines;
        for (int steps = 0; steps < 200 && !effect.isFinished(); ++steps) {
            const bool lineStage = effect.getStage() == cWindowTransitionEffect_OldTV::kShrinkingLine;
            effect.stepEffect();
            if (lineStage) ++lineFrames;
            for (const std::string& call : window.takeCalls()) {
                if (call.rfind("drawLine", 0) == 0) lines.push_back(call);
            }
        }
        EXPECT_TRUE(effect.isFinished());
        EXPECT_EQ(lineFrames, c.lineFrames);
        ASSERT_EQ(lines.size(), static_cast<size_t>(c.lineFrames));
        const int centreY = c.monitor.top + c.monitor.height / 2;
        EXPECT_EQ(lines[0], format("drawLine %d %d %d %d 1 FFFFFFFF", c.monitor.left, centreY,
                                   c.monitor.getRight(), centreY));
        if (lines.size() < 2) continue;
        EXPECT_EQ(lines[1], format("drawLine %d %d %d %d 1 FFFFFFFF", c.monitor.left + c.firstLineStep, centreY,
                                   c.monitor.getRight() - c.firstLineStep, centreY));
    }
}

TEST(OldTVEffect, WithoutAWindowEndsAtTheFirstStepWithAnErrorLine) {
    LogCapture log;
    cWindowTransitionEffect_OldTV effect;
    effect.initWithWindow(nullptr, keslRect<int>(0, 0, 800, 600), 0);
    effect.stepEffect();
    EXPECT_TRUE(effect.isFinished());
    EXPECT_TRUE(log.contains("cWindowTransitionEffect_OldTV.initWithWindow: Top:0, Left:0, Bottom:600, Right:800, Width:800, Height:600"));
    EXPECT_TRUE(log.contains("ERROR>"));
}

}  // namespace
