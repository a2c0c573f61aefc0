#include "app/wayland/wayland_sky_surface.h"

#include "system/rect_ops.h"
#include "system/system_services.h"
#include "util/log.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kScreensaverNamespace = "orvanel-screensaver";
constexpr const char* kWallpaperNamespace = "orvanel-wallpaper";

}  // namespace

keslWaylandSkySurface::keslWaylandSkySurface(const keslWaylandShell& shell, wl_output* output, keslSkyLayer layer,
                                             int scale)
    : m_compositor(shell.compositor), m_makeBuffer(shell.makeBuffer), m_scale(std::max(1, scale)),
      m_overlay(layer == keslSkyLayer::overlay) {
    if (!m_makeBuffer) {
        wl_shm* shm = shell.shm;
        m_makeBuffer = [shm](int width, int height) { return std::make_unique<keslWaylandShmBuffer>(shm, width, height); };
    }
    m_surface.reset(wl_compositor_create_surface(shell.compositor));
    m_layerSurface.reset(zwlr_layer_shell_v1_get_layer_surface(
        shell.layerShell, m_surface.get(), output,
        m_overlay ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND,
        m_overlay ? kScreensaverNamespace : kWallpaperNamespace));
    static const zwlr_layer_surface_v1_listener listener = {&keslWaylandSkySurface::onConfigure,
                                                            &keslWaylandSkySurface::onClosed};
    zwlr_layer_surface_v1_add_listener(m_layerSurface.get(), &listener, this);
    zwlr_layer_surface_v1_set_anchor(m_layerSurface.get(),
                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    // Over (or under) any panel, all the way to the output's edges.
    zwlr_layer_surface_v1_set_exclusive_zone(m_layerSurface.get(), -1);
    zwlr_layer_surface_v1_set_size(m_layerSurface.get(), 0, 0);
    zwlr_layer_surface_v1_set_keyboard_interactivity(m_layerSurface.get(), m_overlay ? 1 : 0);
    if (!m_overlay) {
        // A wallpaper must never catch a click meant for the desktop.
        wl_region* nothing = wl_compositor_create_region(shell.compositor);
        wl_surface_set_input_region(m_surface.get(), nothing);
        wl_region_destroy(nothing);
    }
    wl_surface_commit(m_surface.get());
}

keslWaylandSkySurface::~keslWaylandSkySurface() {
    m_frameCallback.reset();
    m_layerSurface.reset();
    m_surface.reset();
}

void keslWaylandSkySurface::onConfigure(void* data, zwlr_layer_surface_v1* layerSurface, uint32_t serial,
                                        uint32_t width, uint32_t height) {
    auto* self = static_cast<keslWaylandSkySurface*>(data);
    zwlr_layer_surface_v1_ack_configure(layerSurface, serial);
    self->m_width = static_cast<int>(width);
    self->m_height = static_cast<int>(height);
    self->m_configured = width > 0 && height > 0;
    // A configure wants an answer even while the last frame is still out:
    // a compositor may hold that frame until the surface fits its new state.
    self->m_configurePending = true;
    // Nothing under the sky needs drawing.
    wl_region* opaque = wl_compositor_create_region(self->m_compositor);
    wl_region_add(opaque, 0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height));
    wl_surface_set_opaque_region(self->m_surface.get(), opaque);
    wl_region_destroy(opaque);
    logInfo("Wayland surface configured: %ux%u at scale %i", width, height, self->m_scale);
}

void keslWaylandSkySurface::onClosed(void* data, zwlr_layer_surface_v1*) {
    static_cast<keslWaylandSkySurface*>(data)->m_closed = true;
}

void keslWaylandSkySurface::onFrameDone(void* data, wl_callback*, uint32_t) {
    static_cast<keslWaylandSkySurface*>(data)->m_frameCallback.reset();
}

void keslWaylandSkySurface::setScale(int scale) { m_scale = std::max(1, scale); }

void keslWaylandSkySurface::claimKeyboard() {
    if (!m_overlay || m_closed) return;
    // A commit that sets the interactivity makes the compositor arrange the
    // output's layers again, and the topmost interactive surface takes focus.
    zwlr_layer_surface_v1_set_keyboard_interactivity(m_layerSurface.get(), 1);
    wl_surface_commit(m_surface.get());
}

bool keslWaylandSkySurface::fits(size_t buffer) const {
    const auto& made = m_buffers[buffer];
    return made && made->valid() && made->width() == m_width * m_scale && made->height() == m_height * m_scale;
}

size_t keslWaylandSkySurface::freeBuffer() const {
    for (size_t i = 0; i < kBuffers; ++i) {
        if (fits(i) && !m_buffers[i]->busy()) return i;
    }
    return kNoBuffer;
}

size_t keslWaylandSkySurface::bufferToMake() const {
    for (size_t i = 0; i < kBuffers; ++i) {
        if (!fits(i) && !(m_buffers[i] && m_buffers[i]->busy())) return i;
    }
    return kNoBuffer;
}

bool keslWaylandSkySurface::waitingToRetry() const {
    return m_failedTries > 0 && keslSystemServices().monotonicSeconds() < m_retryAt;
}

bool keslWaylandSkySurface::makeBuffer(size_t buffer) {
    const int width = m_width * m_scale, height = m_height * m_scale;
    // The old one first: its memory may be what the new one needs.
    m_buffers[buffer].reset();
    std::unique_ptr<keslWaylandShmBuffer> made = m_makeBuffer(width, height);
    if (!made || !made->valid()) {
        if (m_failedTries == 0) {
            logError("#7311: a Wayland buffer cannot be made (%s); this output tries again from time to time",
                     made ? made->failure().c_str() : "no buffer");
        }
        ++m_failedTries;
        m_retryAt = keslSystemServices().monotonicSeconds() + m_retryDelay;
        m_retryDelay = std::min(m_retryDelay * 2.0, kBufferLongestRetrySeconds);
        return false;
    }
    if (m_failedTries > 0) logInfo("Wayland buffer made after %i failed tries", m_failedTries);
    m_failedTries = 0;
    m_retryDelay = kBufferFirstRetrySeconds;
    m_buffers[buffer] = std::move(made);
    m_owed.owesEverything(buffer);
    logInfo("Wayland buffer %zu: %ix%i", buffer, width, height);
    return true;
}

size_t keslWaylandSkySurface::bufferForFrame() {
    const size_t free = freeBuffer();
    if (free != kNoBuffer) return free;
    const size_t toMake = bufferToMake();
    if (toMake == kNoBuffer || !makeBuffer(toMake)) return kNoBuffer;
    return toMake;
}

bool keslWaylandSkySurface::wantsFrame() const {
    if (!m_configured || m_closed || (m_frameCallback && !m_configurePending)) return false;
    if (waitingToRetry()) return false;
    return freeBuffer() != kNoBuffer || bufferToMake() != kNoBuffer;
}

void keslWaylandSkySurface::copyRect(keslWaylandShmBuffer& target, const keslPixelSurface& sky,
                                     const keslRect<int>& region, const keslRect<int>& rect) {
    // In buffer pixels, kept inside the buffer and the sky alike.
    const keslRect<int> skyRect =
        keslIntersection(keslIntersection(rect, region), keslRect<int>(0, 0, sky.width(), sky.height()));
    const keslRect<int> local = keslIntersection(keslRect<int>(skyRect.top - region.top, skyRect.left - region.left,
                                                             skyRect.width, skyRect.height),
                                                 keslRect<int>(0, 0, target.width(), target.height()));
    if (keslIsEmpty(local)) return;
    const size_t bytes = static_cast<size_t>(local.width) * sizeof(keslPixel);
    for (int y = local.top; y < local.getBottom(); ++y) {
        std::memcpy(target.row(y) + local.left, sky.row(y + region.top) + local.left + region.left, bytes);
    }
    keslCountBlockPixels(static_cast<std::uint64_t>(local.width) * static_cast<std::uint64_t>(local.height));
}

void keslWaylandSkySurface::copyInto(size_t buffer, const keslPixelSurface& sky, const keslRect<int>& region) {
    if (m_owed.owesWhole(buffer)) {
        copyRect(*m_buffers[buffer], sky, region, region);
    } else {
        for (const keslRect<int>& rect : m_owed.owed(buffer)) copyRect(*m_buffers[buffer], sky, region, rect);
    }
    m_owed.paid(buffer);
}

void keslWaylandSkySurface::skip(const keslRect<int>& region, const std::vector<keslRect<int>>& damage) {
    m_owed.add(region, damage);
    m_skippedSinceCommit = true;
}

void keslWaylandSkySurface::present(const keslPixelSurface& sky, const keslRect<int>& region,
                                    const std::vector<keslRect<int>>& damage) {
    m_owed.add(region, damage);
    const size_t index = bufferForFrame();
    if (index == kNoBuffer) {
        m_skippedSinceCommit = true;
        return;
    }
    keslWaylandShmBuffer& buffer = *m_buffers[index];
    // An output's new scale may keep the buffers' size (480x300 at 2 after 960x600 at 1).
    if (m_appliedScale != m_scale) {
        wl_surface_set_buffer_scale(m_surface.get(), m_scale);
        m_appliedScale = m_scale;
        logInfo("Wayland surface drawn at scale %i in %ix%i buffers", m_scale, buffer.width(), buffer.height());
    }
    const bool wholeSurface = m_owed.owesWhole(index) || m_skippedSinceCommit;
    copyInto(index, sky, region);
    wl_surface_attach(m_surface.get(), buffer.buffer(), 0, 0);
    if (wholeSurface) {
        wl_surface_damage_buffer(m_surface.get(), 0, 0, buffer.width(), buffer.height());
    } else {
        for (const keslRect<int>& rect : damage) {
            const keslRect<int> inside = keslIntersection(rect, region);
            if (keslIsEmpty(inside)) continue;
            wl_surface_damage_buffer(m_surface.get(), inside.left - region.left, inside.top - region.top, inside.width,
                                     inside.height);
        }
    }
    m_configurePending = false;
    m_skippedSinceCommit = false;
    static const wl_callback_listener frameListener = {&keslWaylandSkySurface::onFrameDone};
    m_frameCallback.reset(wl_surface_frame(m_surface.get()));
    wl_callback_add_listener(m_frameCallback.get(), &frameListener, this);
    wl_surface_commit(m_surface.get());
    buffer.markBusy();
}
