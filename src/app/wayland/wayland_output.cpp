#include "app/wayland/wayland_output.h"

#include <algorithm>

namespace {

constexpr uint32_t kOutputVersion = 4;

keslWaylandOutput& outputOf(void* data) { return *static_cast<keslWaylandOutput*>(data); }

void geometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*, const char*,
              int32_t transform) {
    outputOf(data).onGeometry(x, y, transform);
}
void mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
    outputOf(data).onMode(flags, width, height);
}
void done(void* data, wl_output*) { outputOf(data).onDone(); }
void scale(void* data, wl_output*, int32_t factor) { outputOf(data).onScale(factor); }
void name(void* data, wl_output*, const char* text) { outputOf(data).onName(text); }
void description(void*, wl_output*, const char*) {}

void logicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) { outputOf(data).onLogicalPosition(x, y); }
void logicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    outputOf(data).onLogicalSize(width, height);
}
// Before xdg-output version 3 the description ends here rather than in wl_output.done.
void xdgDone(void* data, zxdg_output_v1*) { outputOf(data).onDone(); }
void xdgName(void* data, zxdg_output_v1*, const char* text) {
    if (outputOf(data).name().empty()) outputOf(data).onName(text);
}
void xdgDescription(void*, zxdg_output_v1*, const char*) {}

const wl_output_listener kOutputListener = {geometry, mode, done, scale, name, description};
const zxdg_output_v1_listener kXdgOutputListener = {logicalPosition, logicalSize, xdgDone, xdgName, xdgDescription};

}  // namespace

keslWaylandOutput::keslWaylandOutput(wl_registry* registry, uint32_t globalName, uint32_t version)
    : m_globalName(globalName) {
    m_output.reset(static_cast<wl_output*>(
        wl_registry_bind(registry, globalName, &wl_output_interface, std::min(version, kOutputVersion))));
    wl_output_add_listener(m_output.get(), &kOutputListener, this);
}

keslWaylandOutput::~keslWaylandOutput() {
    m_sky.reset();
    m_xdgOutput.reset();
    m_output.reset();
}

void keslWaylandOutput::watchLogicalGeometry(zxdg_output_manager_v1* manager) {
    if (m_xdgOutput || !manager) return;
    m_xdgOutput.reset(zxdg_output_manager_v1_get_xdg_output(manager, m_output.get()));
    zxdg_output_v1_add_listener(m_xdgOutput.get(), &kXdgOutputListener, this);
}

void keslWaylandOutput::onMode(uint32_t flags, int32_t width, int32_t height) {
    if (flags & WL_OUTPUT_MODE_CURRENT) m_modeSize = {width, height};
}

keslOutputPlacement keslWaylandOutput::placement() const {
    keslOutputPlacement placement;
    placement.scale = m_scale;
    if (m_haveLogical && m_logicalSize.x > 0 && m_logicalSize.y > 0) {
        placement.logical = keslRect<int>(m_logicalPosition.y, m_logicalPosition.x, m_logicalSize.x, m_logicalSize.y);
        return placement;
    }
    placement.logical = desktopRectFromMode(m_position, m_modeSize, m_scale, m_transform);
    return placement;
}
