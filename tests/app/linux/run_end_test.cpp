#include "app/linux/run_end.h"

#include <gtest/gtest.h>

namespace {

TEST(RunEnd, TheNextFrameIsDueOneStepOnAndALateHostDoesNotCatchUp) {
    struct Case {
        const char* what;
        double lastDue;
        double now;
        double nextDue;
    };
    // Frames come every 0.04 s.
    const Case cases[] = {
        {"on time", 1.00, 1.00, 1.04},
        {"early, waiting for the frame", 1.00, 0.99, 1.04},
        {"a little late keeps the beat", 1.00, 1.05, 1.04},
        {"nearly a step behind still keeps the beat", 1.00, 1.07, 1.04},
        {"more than a step behind starts again from now", 1.00, 1.30, 1.30},
        {"a long stall (a suspended laptop) is no burst of frames", 1.00, 500.0, 500.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(nextFrameDue(c.lastDue, c.now), c.nextDue, 1e-6) << c.what;
    }
}

}  // namespace
