// One frame's worth of shared memory the compositor reads a surface from:
// XRGB pixels in the raster's own layout (0x00RRGGBB, rows top down), so
// parts of the sky are copied in with memcpy. The compositor holds the
// buffer from commit until it says release; the host never writes into a
// buffer it holds.
#pragma once

#include "app/wayland/wayland_protocols.h"
#include "app/wayland/wayland_proxy.h"
#include "platform/pixels.h"

#include <cstddef>
#include <string>

class keslWaylandShmBuffer {
public:
    // Stays invalid() when the memory cannot be had; failure() says why.
    keslWaylandShmBuffer(wl_shm* shm, int width, int height);
    ~keslWaylandShmBuffer();
    keslWaylandShmBuffer(const keslWaylandShmBuffer&) = delete;
    keslWaylandShmBuffer& operator=(const keslWaylandShmBuffer&) = delete;

    bool valid() const { return m_buffer != nullptr; }
    const std::string& failure() const { return m_failure; }
    // Attached and not yet released by the compositor.
    bool busy() const { return m_busy; }
    // Call when the buffer is committed to a surface.
    void markBusy() { m_busy = true; }
    wl_buffer* buffer() const { return m_buffer.get(); }
    keslPixel* row(int y) { return m_pixels + static_cast<size_t>(y) * static_cast<size_t>(m_width); }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    static void onRelease(void* data, wl_buffer* buffer);

    int m_width = 0;
    int m_height = 0;
    size_t m_bytes = 0;
    keslPixel* m_pixels = nullptr;
    keslWaylandPtr<wl_buffer, keslWaylandRelease::buffer> m_buffer;
    bool m_busy = false;
    std::string m_failure;
};
