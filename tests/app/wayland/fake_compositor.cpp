#include "app/wayland/fake_compositor.h"

#include <wayland-server.h>
// The layer-shell description names an argument "namespace", which C++ reserves.
#define namespace layer_namespace
#include <wlr-layer-shell-unstable-v1-server-protocol.h>
#undef namespace

#include <algorithm>
#include <stdexcept>
#include <sys/socket.h>

struct FakeCompositor::State {
    wl_display* display = nullptr;
    std::vector<wl_resource*> layerSurfaces;
    std::vector<wl_resource*> frameCallbacks;
    // A buffer a commit attached, until released, and whether the client destroyed it first.
    struct Held {
        wl_resource* buffer;
        wl_listener destroyed;
        State* state;
    };
    std::vector<std::unique_ptr<Held>> held;
    std::vector<Attached> attached;
    int destroyedWhileHeld = 0;
    uint32_t serial = 0;

    void forget(Held* gone) {
        held.erase(std::remove_if(held.begin(), held.end(), [gone](const auto& h) { return h.get() == gone; }),
                   held.end());
    }
};

namespace {

using State = FakeCompositor::State;

State& stateOf(wl_resource* resource) { return *static_cast<State*>(wl_resource_get_user_data(resource)); }
void destroyResource(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }
template <typename... Args>
void ignore(wl_client*, wl_resource*, Args...) {}

// A surface's pending buffer, kept until its commit.
struct Surface {
    State* state;
    wl_resource* pending = nullptr;
};

void heldBufferDestroyed(wl_listener* listener, void*) {
    State::Held* held = wl_container_of(listener, held, destroyed);
    ++held->state->destroyedWhileHeld;
    held->state->forget(held);
}

void surfaceAttach(wl_client*, wl_resource* resource, wl_resource* buffer, int32_t, int32_t) {
    static_cast<Surface*>(wl_resource_get_user_data(resource))->pending = buffer;
}

void surfaceFrame(wl_client* client, wl_resource* resource, uint32_t id) {
    State& state = *static_cast<Surface*>(wl_resource_get_user_data(resource))->state;
    wl_resource* callback = wl_resource_create(client, &wl_callback_interface, 1, id);
    state.frameCallbacks.push_back(callback);
}

void surfaceCommit(wl_client*, wl_resource* resource) {
    auto& surface = *static_cast<Surface*>(wl_resource_get_user_data(resource));
    if (!surface.pending) return;
    State& state = *surface.state;
    wl_shm_buffer* shm = wl_shm_buffer_get(surface.pending);
    state.attached.push_back({shm ? wl_shm_buffer_get_width(shm) : 0, shm ? wl_shm_buffer_get_height(shm) : 0});
    auto held = std::make_unique<State::Held>();
    held->buffer = surface.pending;
    held->state = &state;
    held->destroyed.notify = heldBufferDestroyed;
    wl_resource_add_destroy_listener(surface.pending, &held->destroyed);
    state.held.push_back(std::move(held));
    surface.pending = nullptr;
}

const struct wl_surface_interface kSurface = {
    destroyResource,           surfaceAttach, ignore<int32_t, int32_t, int32_t, int32_t>, surfaceFrame,
    ignore<wl_resource*>,      ignore<wl_resource*>, surfaceCommit,                        ignore<int32_t>,
    ignore<int32_t>,           ignore<int32_t, int32_t, int32_t, int32_t>, ignore<int32_t, int32_t>,
};

const struct wl_region_interface kRegion = {destroyResource, ignore<int32_t, int32_t, int32_t, int32_t>,
                                            ignore<int32_t, int32_t, int32_t, int32_t>};

void deleteSurface(wl_resource* resource) { delete static_cast<Surface*>(wl_resource_get_user_data(resource)); }

void createSurface(wl_client* client, wl_resource* resource, uint32_t id) {
    wl_resource* surface = wl_resource_create(client, &wl_surface_interface, wl_resource_get_version(resource), id);
    wl_resource_set_implementation(surface, &kSurface, new Surface{&stateOf(resource)}, deleteSurface);
}

void createRegion(wl_client* client, wl_resource*, uint32_t id) {
    wl_resource* region = wl_resource_create(client, &wl_region_interface, 1, id);
    wl_resource_set_implementation(region, &kRegion, nullptr, nullptr);
}

const struct wl_compositor_interface kCompositor = {createSurface, createRegion};

void bindCompositor(wl_client* client, void* data, uint32_t version, uint32_t id) {
    wl_resource* resource = wl_resource_create(client, &wl_compositor_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(resource, &kCompositor, data, nullptr);
}

void forgetLayerSurface(wl_resource* resource) {
    auto& surfaces = stateOf(resource).layerSurfaces;
    surfaces.erase(std::remove(surfaces.begin(), surfaces.end(), resource), surfaces.end());
}

const struct zwlr_layer_surface_v1_interface kLayerSurface = {
    ignore<uint32_t, uint32_t>, ignore<uint32_t>, ignore<int32_t>, ignore<int32_t, int32_t, int32_t, int32_t>,
    ignore<uint32_t>,           ignore<wl_resource*>, ignore<uint32_t>, destroyResource,
    ignore<uint32_t>,
};

void getLayerSurface(wl_client* client, wl_resource* resource, uint32_t id, wl_resource*, wl_resource*, uint32_t,
                     const char*) {
    wl_resource* surface = wl_resource_create(client, &zwlr_layer_surface_v1_interface, 2, id);
    wl_resource_set_implementation(surface, &kLayerSurface, &stateOf(resource), forgetLayerSurface);
    stateOf(resource).layerSurfaces.push_back(surface);
}

const struct zwlr_layer_shell_v1_interface kLayerShell = {getLayerSurface};

void bindLayerShell(wl_client* client, void* data, uint32_t version, uint32_t id) {
    wl_resource* resource = wl_resource_create(client, &zwlr_layer_shell_v1_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(resource, &kLayerShell, data, nullptr);
}

}  // namespace

FakeCompositor::FakeCompositor() : m_state(std::make_unique<State>()) {
    m_state->display = wl_display_create();
    wl_display_init_shm(m_state->display);
    wl_global_create(m_state->display, &wl_compositor_interface, 4, m_state.get(), bindCompositor);
    wl_global_create(m_state->display, &zwlr_layer_shell_v1_interface, 2, m_state.get(), bindLayerShell);
}

FakeCompositor::~FakeCompositor() {
    for (auto& held : m_state->held) wl_list_remove(&held->destroyed.link);
    m_state->held.clear();
    wl_display_destroy_clients(m_state->display);
    wl_display_destroy(m_state->display);
}

int FakeCompositor::connect() {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) throw std::runtime_error("no socket pair");
    wl_client_create(m_state->display, ends[0]);
    return ends[1];
}

void FakeCompositor::dispatch() {
    wl_event_loop_dispatch(wl_display_get_event_loop(m_state->display), 0);
    wl_display_flush_clients(m_state->display);
}

void FakeCompositor::configure(int width, int height) {
    for (wl_resource* surface : m_state->layerSurfaces) {
        zwlr_layer_surface_v1_send_configure(surface, ++m_state->serial, static_cast<uint32_t>(width),
                                             static_cast<uint32_t>(height));
    }
    wl_display_flush_clients(m_state->display);
}

void FakeCompositor::finishFrames() {
    for (wl_resource* callback : m_state->frameCallbacks) {
        wl_callback_send_done(callback, 0);
        wl_resource_destroy(callback);
    }
    m_state->frameCallbacks.clear();
    wl_display_flush_clients(m_state->display);
}

void FakeCompositor::releaseBuffers() {
    for (auto& held : m_state->held) {
        wl_list_remove(&held->destroyed.link);
        wl_buffer_send_release(held->buffer);
    }
    m_state->held.clear();
    wl_display_flush_clients(m_state->display);
}

const std::vector<FakeCompositor::Attached>& FakeCompositor::attached() const { return m_state->attached; }

int FakeCompositor::destroyedWhileHeld() const { return m_state->destroyedWhileHeld; }
