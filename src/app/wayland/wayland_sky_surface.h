// One output's window onto the sky: a layer-shell surface anchored to every
// edge of its output, on the overlay layer (the screensaver, taking the
// keyboard) or the background layer (the wallpaper, taking no input at all).
// It shows its region of the sky's back buffer through two shared-memory
// buffers in turn, and asks for a frame only when the compositor has shown
// the last one (its frame callback), so a hidden or switched-off output costs
// nothing. What a frame changed comes as damage rectangles in sky pixels;
// each buffer takes what it missed while the other was on screen. A buffer
// is made again (new size or scale) only while the compositor does not hold
// it; one that cannot be made is logged once and tried again later, less
// and less often, while the other outputs go on.
#pragma once

#include "app/wayland/wayland_buffer_damage.h"
#include "app/wayland/wayland_protocols.h"
#include "app/wayland/wayland_proxy.h"
#include "app/wayland/wayland_shm_buffer.h"
#include "platform/raster/pixel_surface.h"
#include "system/rect.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

enum class keslSkyLayer { overlay, background };

// Makes one buffer of width x height device pixels; an invalid one (or none)
// when the memory cannot be had. Tests put a failing one in.
using keslWaylandBufferMaker = std::function<std::unique_ptr<keslWaylandShmBuffer>(int width, int height)>;

struct keslWaylandShell {
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    zwlr_layer_shell_v1* layerShell = nullptr;
    // Shared memory from wl_shm when not set.
    keslWaylandBufferMaker makeBuffer;
};

// How long a surface whose buffer could not be made waits before it tries
// again: one second, twice as long after each failure, at most this.
constexpr double kBufferFirstRetrySeconds = 1.0;
constexpr double kBufferLongestRetrySeconds = 16.0;

class keslWaylandSkySurface {
public:
    keslWaylandSkySurface(const keslWaylandShell& shell, wl_output* output, keslSkyLayer layer, int scale);
    ~keslWaylandSkySurface();
    keslWaylandSkySurface(const keslWaylandSkySurface&) = delete;
    keslWaylandSkySurface& operator=(const keslWaylandSkySurface&) = delete;

    // The compositor will not show this surface any more (its output went, or it dismissed us).
    bool closed() const { return m_closed; }
    // Configured, the last frame shown, a buffer free to draw the next into
    // (or to be made), and not waiting to try again after a failed one.
    bool wantsFrame() const;
    void setScale(int scale);
    // Asks the compositor for the keyboard again (the screensaver only): when
    // the surface that held it goes with its output, sway gives it to no
    // other surface of ours, and a key would no longer end the run.
    void claimKeyboard();
    // Copies what damage (sky pixels) changed inside region from the sky into
    // a free buffer, attaches it and commits. Call only when wantsFrame().
    void present(const keslPixelSurface& sky, const keslRect<int>& region, const std::vector<keslRect<int>>& damage);
    // A frame this surface did not take (it was still showing the last one):
    // its buffers owe the damage, and the next commit cannot name only its own.
    void skip(const keslRect<int>& region, const std::vector<keslRect<int>>& damage);
    wl_surface* surface() const { return m_surface.get(); }

private:
    static void onConfigure(void* data, zwlr_layer_surface_v1* layerSurface, uint32_t serial, uint32_t width,
                            uint32_t height);
    static void onClosed(void* data, zwlr_layer_surface_v1* layerSurface);
    static void onFrameDone(void* data, wl_callback* callback, uint32_t time);

    bool fits(size_t buffer) const;
    // Index of a buffer of the right size the compositor does not hold, or kNoBuffer.
    size_t freeBuffer() const;
    // Index of a buffer the compositor does not hold but that must be made (again), or kNoBuffer.
    size_t bufferToMake() const;
    // A free buffer of the right size, made if need be; kNoBuffer when none can be had now.
    size_t bufferForFrame();
    bool makeBuffer(size_t buffer);
    bool waitingToRetry() const;
    void copyInto(size_t buffer, const keslPixelSurface& sky, const keslRect<int>& region);
    void copyRect(keslWaylandShmBuffer& target, const keslPixelSurface& sky, const keslRect<int>& region,
                  const keslRect<int>& rect);

    wl_compositor* m_compositor;
    keslWaylandBufferMaker m_makeBuffer;
    keslWaylandPtr<wl_surface, keslWaylandRelease::surface> m_surface;
    keslWaylandPtr<zwlr_layer_surface_v1, keslWaylandRelease::layerSurface> m_layerSurface;
    keslWaylandPtr<wl_callback, keslWaylandRelease::callback> m_frameCallback;
    static constexpr size_t kBuffers = 2;
    static constexpr size_t kNoBuffer = kBuffers;
    std::array<std::unique_ptr<keslWaylandShmBuffer>, kBuffers> m_buffers;
    keslBufferDamage m_owed{kBuffers};
    // Logical size the compositor gave, and the device pixels per logical pixel.
    int m_width = 0;
    int m_height = 0;
    int m_scale = 1;
    // The scale the surface was last told, which buffers are drawn at.
    int m_appliedScale = 1;
    bool m_configured = false;
    bool m_configurePending = false;
    bool m_closed = false;
    bool m_skippedSinceCommit = false;
    bool m_overlay;
    // After a buffer could not be made: when to try again, and how long the next wait is.
    int m_failedTries = 0;
    double m_retryAt = 0.0;
    double m_retryDelay = kBufferFirstRetrySeconds;
};
