#include "platform/test_window.h"

namespace {

class RasterTestWindow : public TestWindow {
public:
    RasterTestWindow(int width, int height) : m_window(width, height) {}
    keslWindow& window() override { return m_window; }

private:
    keslWindow m_window;
};

}  // namespace

std::unique_ptr<TestWindow> makeTestWindow(int width, int height) {
    return std::make_unique<RasterTestWindow>(width, height);
}
