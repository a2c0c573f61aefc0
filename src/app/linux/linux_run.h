// One run of the sky on Linux, whoever shows it: the application object bound
// to a raster window the host made, advanced frame by frame with the same
// fixed step the Windows timer uses, and shut down when the run ends.
#pragma once

#include "app/frame_times.h"
#include "app/screensaver.h"

#include <memory>

// Windows this small get the preview's look, like the Windows preview of the
// display-settings dialog (XScreenSaver's settings preview is of this kind).
constexpr int kPreviewMaxWidth = 480;
constexpr int kPreviewMaxHeight = 320;

// -1 (preview) for a window below either limit, else 0 (full-screen).
int monitorIdForWindowSize(int width, int height);

class orvanelLinuxRun {
public:
    // Builds and starts the application; a failure while starting is logged
    // and the run goes on without a sky, as on Windows.
    explicit orvanelLinuxRun(std::unique_ptr<keslWindow> window);
    ~orvanelLinuxRun();
    orvanelLinuxRun(const orvanelLinuxRun&) = delete;
    orvanelLinuxRun& operator=(const orvanelLinuxRun&) = delete;

    // Outlines the rectangles each frame draws (--show-dirty).
    void showDirty(bool show);
    // The screens changed: the sky is built anew in the new window, without
    // repeating what belongs to the start of a run.
    void changeScreens(std::unique_ptr<keslWindow> window);
    // Advances by frameStep, draws and shows one frame.
    void runFrame();
    // Advances by frameStep without drawing: no screen would show the frame.
    void advanceOnly();
    // What the last flushed frame shows.
    const keslPixelSurface& shownFrame() const;
    int framesRun() const { return m_framesRun; }
    // The application asked to end the run (it refused to start, say).
    bool closeRequested() const;
    orvanelScreensaver& app() { return *m_app; }

private:
    std::unique_ptr<orvanelScreensaver> m_app;
    keslWindow* m_window = nullptr;
    int m_framesRun = 0;
    orvanelFrameTimes m_frameTimes;
};
