// The Wayland checks' companion: an ordinary application window (an
// xdg-shell toplevel) filled with a colour the sky never has, so a
// screenshot tells whether the window or the sky is on top; or a pointer no
// one holds, moved through the virtual-pointer protocol.
//   wayland_test_window            prints "shown" once the compositor has shown it, then waits to be killed
//   wayland_test_window move DX DY moves the pointer one pixel right, then by DX, DY, and returns once the
//                                  compositor has the move
//   wayland_test_window click      moves the pointer one pixel right, then presses and releases the left button
#include <wayland-client.h>
#include <wlr-virtual-pointer-unstable-v1-client-protocol.h>
#include <xdg-shell-client-protocol.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t kColour = 0xFF00FF;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
// The left button's Linux event code.
constexpr uint32_t kLeftButton = 0x110;
// Clients learn of a new pointer from the seat and must take it before it moves.
constexpr useconds_t kPointerSettleMicroseconds = 300000;

struct Client {
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    xdg_wm_base* wmBase = nullptr;
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
    wl_surface* surface = nullptr;
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    bool configured = false;
    bool shown = false;
};

void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* client = static_cast<Client*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        client->compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        client->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
        client->wmBase = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !client->seat) {
        client->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        client->pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
}
void globalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {global, globalRemove};

void ping(void*, xdg_wm_base* base, uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener kWmBaseListener = {ping};

void paint(Client& client) {
    const int stride = client.width * 4;
    const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(client.height);
    const int fd = memfd_create("test-window", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) return;
    auto* pixels = static_cast<std::uint32_t*>(mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    for (size_t i = 0; i < bytes / 4; ++i) pixels[i] = kColour;
    munmap(pixels, bytes);
    wl_shm_pool* pool = wl_shm_create_pool(client.shm, fd, static_cast<int32_t>(bytes));
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, client.width, client.height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_surface_attach(client.surface, buffer, 0, 0);
    wl_surface_damage_buffer(client.surface, 0, 0, client.width, client.height);
    wl_surface_commit(client.surface);
}

void surfaceConfigure(void* data, xdg_surface* surface, uint32_t serial) {
    auto* client = static_cast<Client*>(data);
    xdg_surface_ack_configure(surface, serial);
    client->configured = true;
    paint(*client);
}
const xdg_surface_listener kSurfaceListener = {surfaceConfigure};

void toplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
    auto* client = static_cast<Client*>(data);
    if (width > 0 && height > 0) {
        client->width = width;
        client->height = height;
    }
}
void toplevelClose(void*, xdg_toplevel*) {}
const xdg_toplevel_listener kToplevelListener = [] {
    xdg_toplevel_listener listener{};
    listener.configure = toplevelConfigure;
    listener.close = toplevelClose;
    return listener;
}();

void frameDone(void* data, wl_callback* callback, uint32_t) {
    static_cast<Client*>(data)->shown = true;
    wl_callback_destroy(callback);
}
const wl_callback_listener kFrameListener = {frameDone};

void step(wl_display* display, zwlr_virtual_pointer_v1* pointer, double dx, double dy) {
    static uint32_t time = 0;
    zwlr_virtual_pointer_v1_motion(pointer, time += 10, wl_fixed_from_double(dx), wl_fixed_from_double(dy));
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
}

void click(wl_display* display, zwlr_virtual_pointer_v1* pointer) {
    zwlr_virtual_pointer_v1_button(pointer, 1000, kLeftButton, WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(pointer);
    zwlr_virtual_pointer_v1_button(pointer, 1010, kLeftButton, WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
}

// The first step lets the surface under the pointer learn where it is; then
// the move or the click.
int usePointer(wl_display* display, Client& client, bool clicks, double dx, double dy) {
    if (!client.pointers) {
        std::fprintf(stderr, "wayland_test_window: the compositor has no virtual pointers\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(client.pointers, client.seat);
    wl_display_roundtrip(display);
    usleep(kPointerSettleMicroseconds);
    step(display, pointer, 1.0, 0.0);
    usleep(kPointerSettleMicroseconds);
    if (clicks) {
        click(display, pointer);
    } else {
        step(display, pointer, dx, dy);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    return 0;
}

}  // namespace

// The helper's Wayland objects go with its process; a leak report would only hide the check's verdict.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "wayland_test_window: no Wayland compositor\n");
        return 1;
    }
    Client client;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &client);
    wl_display_roundtrip(display);
    if (argc == 4 && std::strcmp(argv[1], "move") == 0) {
        return usePointer(display, client, false, std::atof(argv[2]), std::atof(argv[3]));
    }
    if (argc == 2 && std::strcmp(argv[1], "click") == 0) return usePointer(display, client, true, 0.0, 0.0);
    if (!client.compositor || !client.shm || !client.wmBase) {
        std::fprintf(stderr, "wayland_test_window: the compositor lacks xdg-shell or wl_shm\n");
        return 1;
    }
    xdg_wm_base_add_listener(client.wmBase, &kWmBaseListener, nullptr);
    client.surface = wl_compositor_create_surface(client.compositor);
    xdg_surface* surface = xdg_wm_base_get_xdg_surface(client.wmBase, client.surface);
    xdg_surface_add_listener(surface, &kSurfaceListener, &client);
    xdg_toplevel* toplevel = xdg_surface_get_toplevel(surface);
    xdg_toplevel_add_listener(toplevel, &kToplevelListener, &client);
    xdg_toplevel_set_title(toplevel, "orvanel test window");
    wl_surface_commit(client.surface);
    while (!client.configured && wl_display_dispatch(display) >= 0) {
    }
    // Shown once the compositor asks for the frame after the first.
    wl_callback* frame = wl_surface_frame(client.surface);
    wl_callback_add_listener(frame, &kFrameListener, &client);
    wl_surface_commit(client.surface);
    while (!client.shown && wl_display_dispatch(display) >= 0) {
    }
    std::printf("shown\n");
    std::fflush(stdout);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
