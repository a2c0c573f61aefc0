// Puts each finished frame into an X window: XShmPutImage when the server
// shares memory with us (a local display), XPutImage otherwise, one request
// per changed rectangle (the whole image when the frame changed everywhere
// or the window was uncovered). When the visual takes the raster's pixels as they are, the
// image's memory is offered as the window's back buffer, so the frame is
// drawn where the server reads it and presenting copies nothing; other
// visuals (16-bit displays, odd channel orders) get each frame converted
// into the image. The frame never waits here longer than one round trip.
#pragma once

#include "app/linux/visual_pixels.h"
#include "platform/dirty_region.h"
#include "platform/raster/pixel_surface.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

struct keslX11Target {
    Display* display = nullptr;
    Window window = 0;
    Visual* visual = nullptr;
    int depth = 0;
    int width = 0;
    int height = 0;
};

class keslX11Presenter {
public:
    explicit keslX11Presenter(const keslX11Target& target);
    ~keslX11Presenter();
    keslX11Presenter(const keslX11Presenter&) = delete;
    keslX11Presenter& operator=(const keslX11Presenter&) = delete;

    // The image's pixels when the raster can draw into them directly, else
    // null. They live as long as the presenter.
    keslPixel* backBufferMemory();
    // Sends the whole frame.
    void present(const keslPixelSurface& frame);
    // Sends only what changed; the window keeps the rest from earlier frames.
    void present(const keslPixelSurface& frame, const keslDirtyRegion& changed);
    // The next present sends the whole frame: the server lost what the window showed.
    void presentWholeNext() { m_wholeDue = true; }
    bool usesSharedMemory() const { return m_shared; }

private:
    bool attachSharedImage();
    void releaseSharedImage();
    void makePlainImage();
    bool takesRasterPixels() const;
    void copyInto(const keslPixelSurface& frame, const keslRect<int>& area);
    void put(const keslRect<int>& area);
    void convertRow(const keslPixel* source, int left, int width, int y);

    keslX11Target m_target;
    keslVisualMasks m_masks;
    keslVisualPixelConverter m_converter;
    GC m_gc = nullptr;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_segment{};
    bool m_shared = false;
    bool m_wholeDue = true;
    // The plain image's pixels; the XImage only borrows them.
    std::vector<char> m_plainPixels;
};
