// One output of the compositor as the host sees it: its name, where it lies
// on the desktop (xdg-output's logical geometry when offered, else its
// position and its mode, turned as the output is, divided by its scale), its
// buffer scale, and the sky surface shown on it. The compositor sends a
// description in pieces and says "done" after each complete one; only then
// does the output count.
#pragma once

#include "app/wayland/wayland_layout.h"
#include "app/wayland/wayland_protocols.h"
#include "app/wayland/wayland_proxy.h"
#include "app/wayland/wayland_sky_surface.h"
#include "system/point.h"

#include <cstdint>
#include <memory>
#include <string>

class keslWaylandOutput {
public:
    keslWaylandOutput(wl_registry* registry, uint32_t globalName, uint32_t version);
    ~keslWaylandOutput();
    keslWaylandOutput(const keslWaylandOutput&) = delete;
    keslWaylandOutput& operator=(const keslWaylandOutput&) = delete;

    // Asks for the logical geometry; once, when the manager is known.
    void watchLogicalGeometry(zxdg_output_manager_v1* manager);

    uint32_t globalName() const { return m_globalName; }
    wl_output* output() const { return m_output.get(); }
    const std::string& name() const { return m_name; }
    // At least one complete description arrived.
    bool described() const { return m_described; }
    keslOutputPlacement placement() const;

    // The sky shown here; null until the host makes it.
    keslWaylandSkySurface* sky() const { return m_sky.get(); }
    void showSky(std::unique_ptr<keslWaylandSkySurface> sky) { m_sky = std::move(sky); }

    // Listener entry points.
    void onGeometry(int32_t x, int32_t y, int32_t transform) {
        m_position = {x, y};
        m_transform = transform;
    }
    void onMode(uint32_t flags, int32_t width, int32_t height);
    void onScale(int32_t scale) { m_scale = scale > 0 ? scale : 1; }
    void onName(const char* name) { m_name = name ? name : ""; }
    void onLogicalPosition(int32_t x, int32_t y) { m_logicalPosition = {x, y}; m_haveLogical = true; }
    void onLogicalSize(int32_t width, int32_t height) { m_logicalSize = {width, height}; }
    void onDone() { m_described = m_changed = true; }
    // Whether a description completed since the last call.
    bool takeChange() {
        const bool changed = m_changed;
        m_changed = false;
        return changed;
    }

private:
    uint32_t m_globalName;
    // Destroyed in reverse: the sky before the output it shows on.
    keslWaylandPtr<wl_output, keslWaylandRelease::output> m_output;
    keslWaylandPtr<zxdg_output_v1, keslWaylandRelease::xdgOutput> m_xdgOutput;
    std::unique_ptr<keslWaylandSkySurface> m_sky;
    std::string m_name;
    keslPoint<int> m_position;
    keslPoint<int> m_modeSize;
    keslPoint<int> m_logicalPosition;
    keslPoint<int> m_logicalSize;
    bool m_haveLogical = false;
    int m_scale = 1;
    int m_transform = 0;
    bool m_described = false;
    bool m_changed = false;
};
