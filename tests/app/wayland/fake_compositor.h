// A Wayland compositor inside the test's own process, for the host's sky
// surfaces: wl_compositor, libwayland-server's own wl_shm, and a layer-shell
// that configures every surface at the size the test says. Frame callbacks
// and buffer releases wait until the test sends them, so a test steps
// through what a real compositor does at its own pace. It shares the test's
// thread with the client: dispatch() takes what the client sent and sends
// what the compositor has to say. No Wayland type in this header: the
// server's and the client's headers do not mix.
#pragma once

#include <memory>
#include <vector>

class FakeCompositor {
public:
    FakeCompositor();
    ~FakeCompositor();
    FakeCompositor(const FakeCompositor&) = delete;
    FakeCompositor& operator=(const FakeCompositor&) = delete;

    // The client end of a new connection, for wl_display_connect_to_fd.
    int connect();
    // Handles what the clients sent, and flushes what goes back.
    void dispatch();

    // Configures every layer surface at width x height (logical pixels).
    void configure(int width, int height);
    // Says "done" for every frame callback asked for so far.
    void finishFrames();
    // Releases every buffer a commit attached and not yet released.
    void releaseBuffers();

    // One commit that attached a buffer: the buffer's size.
    struct Attached {
        int width;
        int height;
    };
    const std::vector<Attached>& attached() const;
    // Buffers the client destroyed while the compositor still held them.
    int destroyedWhileHeld() const;

    // What the compositor's request handlers share.
    struct State;

private:
    std::unique_ptr<State> m_state;
};
