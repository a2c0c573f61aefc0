// The screensaver's closing rules on a Wayland seat: any key, any button, or
// a pointer move of more than a few pixels from where the pointer was first
// seen ends the run, as in the Windows full-screen mode. Positions are taken
// in sky pixels, so a move from one output onto the next counts as the move
// it is. The pointer is hidden over the sky. Keyboard and pointer come and go
// with the seat's capabilities (a virtual keyboard appears, a mouse is
// unplugged).
#pragma once

#include "app/wayland/wayland_protocols.h"
#include "app/wayland/wayland_proxy.h"
#include "system/point.h"

#include <functional>

class keslWaylandInput {
public:
    // Where a surface-local point lies in the sky; false for surfaces not ours.
    using SkyPosition = std::function<bool(wl_surface* surface, double x, double y, keslPoint<long>& out)>;

    keslWaylandInput(wl_seat* seat, SkyPosition skyPosition);
    ~keslWaylandInput();
    keslWaylandInput(const keslWaylandInput&) = delete;
    keslWaylandInput& operator=(const keslWaylandInput&) = delete;

    // Someone touched a key, a button or moved the pointer far enough.
    bool closeRequested() const { return m_closeRequested; }
    const char* closeReason() const { return m_closeReason; }

    // Listener entry points; they only forward.
    void onCapabilities(uint32_t capabilities);
    void onKey(uint32_t state);
    void onPointerEnter(uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y);
    void onPointerLeave() { m_pointerSurface = nullptr; }
    void onPointerMotion(wl_fixed_t x, wl_fixed_t y);
    void onButton(uint32_t state);

private:
    void pointerAt(wl_fixed_t x, wl_fixed_t y);
    void close(const char* reason);

    wl_seat* m_seat;
    SkyPosition m_skyPosition;
    keslWaylandPtr<wl_keyboard, keslWaylandRelease::keyboard> m_keyboard;
    keslWaylandPtr<wl_pointer, keslWaylandRelease::pointer> m_pointer;
    wl_surface* m_pointerSurface = nullptr;
    bool m_haveReference = false;
    keslPoint<long> m_reference;
    bool m_closeRequested = false;
    const char* m_closeReason = "";
};
