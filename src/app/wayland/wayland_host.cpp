#include "app/wayland/wayland_host.h"

#include "app/linux/linux_run.h"
#include "app/linux/run_end.h"
#include "app/linux/stop_signals.h"
#include "app/wayland/wayland_input.h"
#include "app/wayland/wayland_layout.h"
#include "app/wayland/wayland_output.h"
#include "app/wayland/wayland_protocols.h"
#include "app/wayland/wayland_proxy.h"
#include "app/wayland/wayland_sky_surface.h"
#include "system/system_layer.h"
#include "util/log.h"
#include "util/log_guards.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <vector>

namespace {

// Versions this host speaks; a compositor offering less gets what it offers
// where that is enough.
constexpr uint32_t kCompositorVersion = 4;  // wl_surface.damage_buffer
constexpr uint32_t kLayerShellVersion = 2;
constexpr uint32_t kXdgOutputManagerVersion = 3;
constexpr uint32_t kSeatVersion = 5;

using RunEnd = orvanelRunEnd;

using DisplayPtr = keslWaylandPtr<wl_display, keslWaylandRelease::display>;

// The monitors the application asks for are the outputs' regions of the sky.
class WaylandSystem final : public keslSystemLayer {
public:
    std::vector<keslRect<int>> monitorRects() const override { return m_monitors; }
    void setMonitors(const std::vector<keslRect<int>>& monitors) { m_monitors = monitors; }

private:
    std::vector<keslRect<int>> m_monitors;
};

double now() { return keslSystemServices().monotonicSeconds(); }

class WaylandSky {
public:
    explicit WaylandSky(keslSkyLayer layer) : m_layer(layer) {}
    ~WaylandSky() {
        // The world goes before the surfaces it is shown on, those before the connection.
        m_run.reset();
        m_input.reset();
        m_outputs.clear();
        m_seat.reset();
        m_outputManager.reset();
        m_layerShell.reset();
        m_shm.reset();
        m_compositor.reset();
        m_registry.reset();
    }
    WaylandSky(const WaylandSky&) = delete;
    WaylandSky& operator=(const WaylandSky&) = delete;

    // Connects and learns the globals; the error says what is missing.
    bool connect(std::string& error);
    RunEnd run();
    // A protocol error, said in words; empty when the connection simply ended.
    std::string protocolError() const;

    void onGlobal(uint32_t name, const char* interface, uint32_t version);
    void onGlobalRemoved(uint32_t name);

private:
    bool outputsChanged();
    void settleOutputs();
    bool anySurfaceClosed() const;
    RunEnd closedSurfaces();
    void rebuildSky();
    void runFrame();
    void present(const keslPixelSurface& frame, const keslDirtyRegion& changed);
    RunEnd waitForEvents(double until);
    bool skyPosition(wl_surface* surface, double x, double y, keslPoint<long>& out) const;

    keslSkyLayer m_layer;
    DisplayPtr m_display;
    keslWaylandPtr<wl_registry, keslWaylandRelease::registry> m_registry;
    keslWaylandPtr<wl_compositor, keslWaylandRelease::compositor> m_compositor;
    keslWaylandPtr<wl_shm, keslWaylandRelease::shm> m_shm;
    keslWaylandPtr<zwlr_layer_shell_v1, keslWaylandRelease::layerShell> m_layerShell;
    keslWaylandPtr<zxdg_output_manager_v1, keslWaylandRelease::outputManager> m_outputManager;
    keslWaylandPtr<wl_seat, keslWaylandRelease::seat> m_seat;
    uint32_t m_compositorVersion = 0;
    std::vector<std::unique_ptr<keslWaylandOutput>> m_outputs;
    std::unique_ptr<keslWaylandInput> m_input;
    bool m_outputsChanged = true;

    // The sky, and which output shows which region of it, in the same order.
    WaylandSystem m_system;
    std::vector<keslOutputPlacement> m_placements;
    std::vector<keslWaylandOutput*> m_shownOn;
    std::vector<keslRect<int>> m_regions;
    // What each frame changed, in sky pixels: the whole sky, until the world says what it redrew.
    std::vector<keslRect<int>> m_damage;
    std::unique_ptr<orvanelLinuxRun> m_run;
};

WaylandSky& skyOf(void* data) { return *static_cast<WaylandSky*>(data); }
void registryGlobal(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version) {
    skyOf(data).onGlobal(name, interface, version);
}
void registryGlobalRemove(void* data, wl_registry*, uint32_t name) { skyOf(data).onGlobalRemoved(name); }
const wl_registry_listener kRegistryListener = {registryGlobal, registryGlobalRemove};

template <typename T>
T* bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered, uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void WaylandSky::onGlobal(uint32_t name, const char* interface, uint32_t version) {
    wl_registry* registry = m_registry.get();
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        m_compositorVersion = std::min(version, kCompositorVersion);
        m_compositor.reset(bind<wl_compositor>(registry, name, &wl_compositor_interface, version, kCompositorVersion));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        m_shm.reset(bind<wl_shm>(registry, name, &wl_shm_interface, version, 1));
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        m_layerShell.reset(
            bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, kLayerShellVersion));
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        m_outputManager.reset(bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface, version,
                                                           kXdgOutputManagerVersion));
        for (auto& output : m_outputs) output->watchLogicalGeometry(m_outputManager.get());
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !m_seat) {
        m_seat.reset(bind<wl_seat>(registry, name, &wl_seat_interface, version, kSeatVersion));
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        m_outputs.push_back(std::make_unique<keslWaylandOutput>(registry, name, version));
        m_outputs.back()->watchLogicalGeometry(m_outputManager.get());
        m_outputsChanged = true;
    }
}

void WaylandSky::onGlobalRemoved(uint32_t name) {
    const auto gone = std::find_if(m_outputs.begin(), m_outputs.end(),
                                   [name](const auto& output) { return output->globalName() == name; });
    if (gone == m_outputs.end()) return;
    logInfo("Wayland output %s is gone", (*gone)->name().c_str());
    // The sky must not present to a surface that is about to go; the run
    // itself goes on, and the next settle builds the sky for the outputs left.
    m_shownOn.clear();
    m_outputs.erase(gone);
    m_outputsChanged = true;
    for (auto& output : m_outputs) {
        if (output->sky()) output->sky()->claimKeyboard();
    }
}

bool WaylandSky::connect(std::string& error) {
    m_display.reset(wl_display_connect(nullptr));
    if (!m_display) {
        const char* name = std::getenv("WAYLAND_DISPLAY");
        error = std::string("cannot connect to a Wayland compositor (WAYLAND_DISPLAY is \"") + (name ? name : "") +
                "\"); start it from a Wayland session, or use --window or --root on X11";
        return false;
    }
    m_registry.reset(wl_display_get_registry(m_display.get()));
    wl_registry_add_listener(m_registry.get(), &kRegistryListener, this);
    // The globals, then what the outputs say about themselves.
    if (wl_display_roundtrip(m_display.get()) < 0 || wl_display_roundtrip(m_display.get()) < 0) {
        error = "the Wayland compositor closed the connection while it was introduced";
        return false;
    }
    if (!m_layerShell) {
        error = "this Wayland compositor offers no layer-shell (zwlr_layer_shell_v1), which the sky needs to cover "
                "or lie behind the outputs; sway, Hyprland, river, Wayfire and KDE Plasma have it, GNOME does not";
        return false;
    }
    if (!m_compositor || m_compositorVersion < kCompositorVersion || !m_shm) {
        error = "this Wayland compositor lacks wl_compositor version 4 or wl_shm, which the sky is drawn through";
        return false;
    }
    if (m_layer != keslSkyLayer::overlay) return true;
    if (!m_seat) {
        logWarning("The Wayland compositor offers no seat: only a signal ends the screensaver");
        return true;
    }
    m_input = std::make_unique<keslWaylandInput>(
        m_seat.get(), [this](wl_surface* surface, double x, double y, keslPoint<long>& out) {
            return skyPosition(surface, x, y, out);
        });
    return true;
}

bool WaylandSky::skyPosition(wl_surface* surface, double x, double y, keslPoint<long>& out) const {
    for (size_t i = 0; i < m_shownOn.size(); ++i) {
        keslWaylandSkySurface* sky = m_shownOn[i]->sky();
        if (!sky || sky->surface() != surface) continue;
        const int scale = m_placements[i].scale;
        out = {m_regions[i].left + std::lround(x * scale), m_regions[i].top + std::lround(y * scale)};
        return true;
    }
    return false;
}

// Reads every output's flag, so each new description is taken once.
bool WaylandSky::outputsChanged() {
    bool changed = m_outputsChanged;
    m_outputsChanged = false;
    for (auto& output : m_outputs) changed = output->takeChange() || changed;
    return changed;
}

bool WaylandSky::anySurfaceClosed() const {
    return std::any_of(m_outputs.begin(), m_outputs.end(),
                       [](const auto& output) { return output->sky() && output->sky()->closed(); });
}

// A surface closes when its output goes (the output's removal follows at
// once) or when the compositor dismisses the sky, which ends the run.
RunEnd WaylandSky::closedSurfaces() {
    if (!anySurfaceClosed()) return RunEnd::running;
    if (wl_display_roundtrip(m_display.get()) < 0) return RunEnd::connectionLost;
    return anySurfaceClosed() ? RunEnd::closedByCompositor : RunEnd::running;
}

void WaylandSky::settleOutputs() {
    std::vector<keslOutputPlacement> placements;
    std::vector<keslWaylandOutput*> shownOn;
    const keslWaylandShell shell{m_compositor.get(), m_shm.get(), m_layerShell.get(), {}};
    for (auto& output : m_outputs) {
        if (!output->described()) continue;
        const keslOutputPlacement placement = output->placement();
        if (placement.logical.width <= 0 || placement.logical.height <= 0) continue;
        if (!output->sky()) {
            output->showSky(std::make_unique<keslWaylandSkySurface>(shell, output->output(), m_layer, placement.scale));
        }
        output->sky()->setScale(placement.scale);
        placements.push_back(placement);
        shownOn.push_back(output.get());
    }
    const bool samePlacements =
        placements.size() == m_placements.size() &&
        std::equal(placements.begin(), placements.end(), m_placements.begin(),
                   [](const keslOutputPlacement& a, const keslOutputPlacement& b) {
                       return a.logical == b.logical && a.scale == b.scale;
                   });
    if (m_run && samePlacements && shownOn == m_shownOn) return;
    // New surfaces wait for their first configure: let it travel while the sky is built.
    wl_display_flush(m_display.get());
    m_placements = std::move(placements);
    m_shownOn = std::move(shownOn);
    rebuildSky();
}

void WaylandSky::rebuildSky() {
    m_regions = skyRegionsFor(m_placements);
    if (m_regions.empty()) {
        // Nothing can show a frame; the run itself (and what its start did) goes on.
        logInfo("Wayland: no output to show the sky on; waiting for one");
        return;
    }
    for (size_t i = 0; i < m_regions.size(); ++i) {
        logInfo("Wayland output %s: %ix%i at (%i, %i), scale %i; sky region %s", m_shownOn[i]->name().c_str(),
                m_placements[i].logical.width, m_placements[i].logical.height, m_placements[i].logical.left,
                m_placements[i].logical.top, m_placements[i].scale, m_regions[i].toString().c_str());
    }
    m_system.setMonitors(m_regions);
    const keslRect<int> bounds = skyBoundsOf(m_regions);
    m_damage.reserve(keslDirtyRegion::kMaxRects);
    auto window = std::make_unique<keslWindow>(bounds);
    const keslWindow* shown = window.get();
    window->setPresenter([this, shown](const keslPixelSurface& frame) { present(frame, shown->damage()); });
    // A new output is a new layout, not a new run: the start (effect, hot
    // corners, keep-awake) happens once per run.
    if (m_run) {
        m_run->changeScreens(std::move(window));
    } else {
        m_run = std::make_unique<orvanelLinuxRun>(std::move(window));
    }
}

void WaylandSky::present(const keslPixelSurface& frame, const keslDirtyRegion& changed) {
    // Within the reserved capacity: a frame allocates nothing.
    m_damage.assign(changed.begin(), changed.end());
    for (size_t i = 0; i < m_shownOn.size(); ++i) {
        keslWaylandSkySurface* sky = m_shownOn[i]->sky();
        if (!sky) continue;
        if (sky->wantsFrame()) {
            sky->present(frame, m_regions[i], m_damage);
        } else {
            sky->skip(m_regions[i], m_damage);
        }
    }
}

void WaylandSky::runFrame() {
    if (!m_run) return;
    const bool seen = std::any_of(m_shownOn.begin(), m_shownOn.end(),
                                  [](const keslWaylandOutput* output) { return output->sky()->wantsFrame(); });
    if (seen) {
        m_run->runFrame();
    } else {
        m_run->advanceOnly();
    }
}

// Reads and handles what the compositor sent until the time comes, waking
// for every event and for signals.
RunEnd WaylandSky::waitForEvents(double until) {
    wl_display* display = m_display.get();
    while (wl_display_prepare_read(display) != 0) {
        if (wl_display_dispatch_pending(display) < 0) return RunEnd::connectionLost;
    }
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display);
        return RunEnd::connectionLost;
    }
    const double remaining = std::max(0.0, until - now());
    pollfd wanted{wl_display_get_fd(display), POLLIN, 0};
    const int ready = poll(&wanted, 1, static_cast<int>(std::ceil(remaining * 1000.0)));
    if (ready > 0 && (wanted.revents & (POLLIN | POLLERR | POLLHUP)) != 0) {
        if (wl_display_read_events(display) < 0) return RunEnd::connectionLost;
    } else {
        wl_display_cancel_read(display);
    }
    return wl_display_dispatch_pending(display) < 0 ? RunEnd::connectionLost : RunEnd::running;
}

RunEnd WaylandSky::run() {
    double next = now();
    RunEnd end = RunEnd::running;
    while (end == RunEnd::running) {
        if (stopRequested()) return RunEnd::signalled;
        end = closedSurfaces();
        if (end != RunEnd::running) return end;
        if (outputsChanged()) settleOutputs();
        if (m_input && m_input->closeRequested()) return RunEnd::closedByUser;
        if (m_run && m_run->closeRequested()) return RunEnd::closedByApp;
        if (now() >= next) {
            runFrame();
            next = nextFrameDue(next, now());
        }
        end = waitForEvents(next);
    }
    return end;
}

std::string WaylandSky::protocolError() const {
    if (!m_display || wl_display_get_error(m_display.get()) != EPROTO) return {};
    const wl_interface* interface = nullptr;
    uint32_t id = 0;
    const uint32_t code = wl_display_get_protocol_error(m_display.get(), &interface, &id);
    return std::string("the Wayland compositor reported protocol error ") + std::to_string(code) + " on " +
           (interface ? interface->name : "an unknown object");
}

orvanelWaylandResult failure(const std::string& text) {
    logError("#7310: %s", text.c_str());
    return {kExitCannotRun, text};
}

}  // namespace

orvanelWaylandResult runOnWayland(const orvanelLinuxOptions& options) {
    logFunctionLife life("runOnWayland()");
    const bool wallpaper = options.mode == orvanelLinuxMode::waylandWallpaper;
    WaylandSky sky(wallpaper ? keslSkyLayer::background : keslSkyLayer::overlay);
    std::string error;
    if (!sky.connect(error)) return failure(error);
    logInfo("Wayland %s started", wallpaper ? "wallpaper" : "screensaver");
    const RunEnd end = sky.run();
    logRunEnd("Wayland", end);
    if (end != RunEnd::connectionLost) return {};
    const std::string protocolError = sky.protocolError();
    return failure(protocolError.empty() ? "the connection to the Wayland compositor is lost" : protocolError);
}
