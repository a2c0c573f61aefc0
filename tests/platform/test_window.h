// The contract tests run unchanged against every drawing backend; each backend
// folder supplies the window they draw into.
#pragma once

#include "platform/window.h"

#include <memory>

class TestWindow {
public:
    virtual ~TestWindow() = default;
    virtual keslWindow& window() = 0;
};

// A window whose client area is width x height, double-buffered, not yet drawn on.
std::unique_ptr<TestWindow> makeTestWindow(int width, int height);
