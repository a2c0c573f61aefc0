#include "app/wayland/fake_compositor.h"
#include "app/wayland/wayland_sky_surface.h"
#include "support/fake_system.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The host's side of a connection to the test's own compositor: the globals
// a sky surface needs, bound as the host binds them.
class Connection {
public:
    Connection() : m_display(wl_display_connect_to_fd(compositor.connect())) {
        wl_registry* registry = wl_display_get_registry(m_display);
        static const wl_registry_listener listener = {&Connection::onGlobal, [](void*, wl_registry*, uint32_t) {}};
        wl_registry_add_listener(registry, &listener, this);
        pump();
        wl_registry_destroy(registry);
    }
    ~Connection() {
        if (m_layerShell) zwlr_layer_shell_v1_destroy(m_layerShell);
        if (m_shm) wl_shm_destroy(m_shm);
        if (m_compositor) wl_compositor_destroy(m_compositor);
        wl_display_disconnect(m_display);
    }

    // Lets each side take what the other sent, a few times over.
    void pump() {
        for (int i = 0; i < 3; ++i) {
            wl_display_flush(m_display);
            compositor.dispatch();
            while (wl_display_prepare_read(m_display) != 0) wl_display_dispatch_pending(m_display);
            wl_display_read_events(m_display);
            wl_display_dispatch_pending(m_display);
        }
    }

    keslWaylandShell shell(keslWaylandBufferMaker maker) const { return {m_compositor, m_shm, m_layerShell, maker}; }
    wl_shm* shm() const { return m_shm; }

    FakeCompositor compositor;

private:
    static void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
        auto& self = *static_cast<Connection*>(data);
        if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
            self.m_compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
        } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
            self.m_shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
        } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
            self.m_layerShell =
                static_cast<zwlr_layer_shell_v1*>(wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, 2));
        }
    }

    wl_display* m_display;
    wl_compositor* m_compositor = nullptr;
    wl_shm* m_shm = nullptr;
    zwlr_layer_shell_v1* m_layerShell = nullptr;
};

const keslRect<int> kRegion(0, 0, 64, 40);

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(WaylandSkySurface, ABufferThatCannotBeMadeIsLoggedOnceAndTriedAgainLessOftenWhileTheOtherOutputDraws) {
    FakeSystem system;
    LogCapture log;
    Connection connection;
    bool memoryLacks = true;
    int tries = 0;
    wl_shm* shm = connection.shm();
    const auto failing = [&](int width, int height) -> std::unique_ptr<keslWaylandShmBuffer> {
        ++tries;
        if (memoryLacks) return nullptr;
        return std::make_unique<keslWaylandShmBuffer>(shm, width, height);
    };
    keslWaylandSkySurface starved(connection.shell(failing), nullptr, keslSkyLayer::overlay, 1);
    keslWaylandSkySurface healthy(connection.shell({}), nullptr, keslSkyLayer::overlay, 1);
    connection.pump();
    connection.compositor.configure(64, 40);
    connection.pump();
    const keslPixelSurface sky(64, 40, 0x00102030);
    const std::vector<keslRect<int>> damage{kRegion};

    // Frames every 0.25 s; the memory comes back at 4 s. The starved output
    // tries at 0, then 1 s, 2 s and 4 s later (at 1, 3 and 7 s).
    struct Step {
        double seconds;
        bool starvedWants;
    };
    const Step steps[] = {{0.0, true},  {0.25, false}, {0.75, false}, {1.0, true},  {1.5, false}, {2.75, false},
                          {3.0, true},  {4.0, false},  {6.75, false}, {7.0, true},  {7.25, true}};
    int healthyFrames = 0;
    for (const Step& step : steps) {
        system.monotonic = step.seconds;
        memoryLacks = step.seconds < 4.0;
        EXPECT_EQ(starved.wantsFrame(), step.starvedWants) << "at " << step.seconds << " s";
        if (starved.wantsFrame()) {
            starved.present(sky, kRegion, damage);
        } else {
            starved.skip(kRegion, damage);
        }
        ASSERT_TRUE(healthy.wantsFrame()) << "the other output waits at " << step.seconds << " s";
        healthy.present(sky, kRegion, damage);
        ++healthyFrames;
        connection.pump();
        connection.compositor.finishFrames();
        connection.compositor.releaseBuffers();
        connection.pump();
    }

    EXPECT_EQ(tries, 4) << "tried at 0, 1, 3 and 7 s; at 7.25 s the buffer made at 7 s was free again";
    const std::string text = log.contents();
    EXPECT_EQ(occurrences(text, "a Wayland buffer cannot be made"), 1u) << text;
    EXPECT_EQ(occurrences(text, "Wayland buffer made after 3 failed tries"), 1u) << text;
    // The healthy output attached a buffer every frame, the starved one at 7 and 7.25 s.
    EXPECT_EQ(connection.compositor.attached().size(), static_cast<size_t>(healthyFrames + 2));
}

TEST(WaylandSkySurface, ANewSizeRemakesOnlyTheBuffersTheCompositorDoesNotHold) {
    FakeSystem system;
    Connection connection;
    keslWaylandSkySurface surface(connection.shell({}), nullptr, keslSkyLayer::background, 1);
    connection.pump();
    connection.compositor.configure(64, 40);
    connection.pump();
    const keslPixelSurface sky(128, 80, 0x00102030);
    const std::vector<keslRect<int>> damage{keslRect<int>(0, 0, 128, 80)};

    ASSERT_TRUE(surface.wantsFrame());
    surface.present(sky, kRegion, damage);
    connection.pump();
    EXPECT_FALSE(surface.wantsFrame()) << "no frame before the compositor showed the last one";
    connection.compositor.finishFrames();
    connection.pump();

    // The first buffer is still on screen when the output grows.
    connection.compositor.configure(128, 80);
    connection.pump();
    ASSERT_TRUE(surface.wantsFrame()) << "the second buffer can be made at the new size";
    surface.present(sky, keslRect<int>(0, 0, 128, 80), damage);
    connection.pump();
    EXPECT_EQ(connection.compositor.destroyedWhileHeld(), 0) << "a buffer on screen was destroyed";
    connection.compositor.finishFrames();
    connection.pump();
    EXPECT_FALSE(surface.wantsFrame()) << "both buffers are held";

    connection.compositor.releaseBuffers();
    connection.pump();
    ASSERT_TRUE(surface.wantsFrame());
    surface.present(sky, keslRect<int>(0, 0, 128, 80), damage);
    connection.pump();

    const auto& attached = connection.compositor.attached();
    ASSERT_EQ(attached.size(), 3u);
    EXPECT_EQ(attached[0].width, 64);
    EXPECT_EQ(attached[1].width, 128);
    EXPECT_EQ(attached[2].width, 128);
    EXPECT_EQ(attached[2].height, 80);
}

}  // namespace
