// The Wayland protocols the host speaks, and how each object it owns is let
// go. The release functions have external linkage so they can name the
// deleters of owning pointers in any file; the generated ones are static.
#pragma once

#include <wayland-client.h>
#include <xdg-output-unstable-v1-client-protocol.h>
// The layer-shell description names an argument "namespace", which C++
// reserves; only the generated header's parameter name changes.
#define namespace layer_namespace
#include <wlr-layer-shell-unstable-v1-client-protocol.h>
#undef namespace

namespace keslWaylandRelease {
inline void display(wl_display* display) { wl_display_disconnect(display); }
inline void registry(wl_registry* registry) { wl_registry_destroy(registry); }
inline void compositor(wl_compositor* compositor) { wl_compositor_destroy(compositor); }
inline void shm(wl_shm* shm) { wl_shm_destroy(shm); }
inline void seat(wl_seat* seat) { wl_seat_destroy(seat); }
inline void buffer(wl_buffer* buffer) { wl_buffer_destroy(buffer); }
inline void surface(wl_surface* surface) { wl_surface_destroy(surface); }
inline void callback(wl_callback* callback) { wl_callback_destroy(callback); }
inline void layerShell(zwlr_layer_shell_v1* shell) { zwlr_layer_shell_v1_destroy(shell); }
inline void layerSurface(zwlr_layer_surface_v1* surface) { zwlr_layer_surface_v1_destroy(surface); }
inline void outputManager(zxdg_output_manager_v1* manager) { zxdg_output_manager_v1_destroy(manager); }
inline void xdgOutput(zxdg_output_v1* output) { zxdg_output_v1_destroy(output); }
// Release (from the version that has it) lets the compositor forget the object at once.
inline void output(wl_output* output) {
    if (wl_output_get_version(output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
        wl_output_release(output);
    } else {
        wl_output_destroy(output);
    }
}
inline void keyboard(wl_keyboard* keyboard) {
    if (wl_keyboard_get_version(keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
        wl_keyboard_release(keyboard);
    } else {
        wl_keyboard_destroy(keyboard);
    }
}
inline void pointer(wl_pointer* pointer) {
    if (wl_pointer_get_version(pointer) >= WL_POINTER_RELEASE_SINCE_VERSION) {
        wl_pointer_release(pointer);
    } else {
        wl_pointer_destroy(pointer);
    }
}
}  // namespace keslWaylandRelease
