// The frame-time line a user sends with a report of a slow sky.
#include "app/frame_times.h"
#include "support/fake_system.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameTimes, PiecesOfAFrameAddUpAndTheRunSpansFirstStartToLastEnd) {
    FakeSystem system;
    LogCapture log;
    orvanelFrameTimes times;
    system.monotonic = 100.0;
    // A frame in two pieces (tick, then paint), 3 ms and 2 ms, with a wait between.
    times.workStarted();
    system.monotonic = 100.003;
    times.workEnded();
    system.monotonic = 100.020;
    times.workStarted();
    system.monotonic = 100.022;
    times.workEnded();
    times.frameShown();
    // A slow one, 10 ms.
    system.monotonic = 100.500;
    times.workStarted();
    system.monotonic = 100.510;
    times.workEnded();
    times.frameShown();

    times.logSummary();
    EXPECT_TRUE(log.contains("Info>\tFrames: 2 in 0.5 s, average 7.5 ms, slowest 10.0 ms"));
}

TEST(FrameTimes, ARunWithoutFramesSaysSo) {
    FakeSystem system;
    EXPECT_EQ(orvanelFrameTimes().summary(), "Frames: 0 in 0.0 s, average 0.0 ms, slowest 0.0 ms");
}

}  // namespace
