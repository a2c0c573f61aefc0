#include "app/wayland/wayland_input.h"

#include "app/host_rules.h"
#include "util/log.h"

#include <cmath>
#include <unistd.h>

namespace {

keslWaylandInput& inputOf(void* data) { return *static_cast<keslWaylandInput*>(data); }

void seatCapabilities(void* data, wl_seat*, uint32_t capabilities) { inputOf(data).onCapabilities(capabilities); }
void seatName(void*, wl_seat*, const char*) {}

void keymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
void keyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void keyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void key(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state) { inputOf(data).onKey(state); }
void modifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void repeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

void pointerEnter(void* data, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    inputOf(data).onPointerEnter(serial, surface, x, y);
}
void pointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) { inputOf(data).onPointerLeave(); }
void pointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) { inputOf(data).onPointerMotion(x, y); }
void pointerButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
    inputOf(data).onButton(state);
}
void pointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void pointerFrame(void*, wl_pointer*) {}
void pointerAxisSource(void*, wl_pointer*, uint32_t) {}
void pointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void pointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}

const wl_seat_listener kSeatListener = {seatCapabilities, seatName};
const wl_keyboard_listener kKeyboardListener = {keymap, keyboardEnter, keyboardLeave, key, modifiers, repeatInfo};
// Built member by member: newer libwayland versions add events this host does not bind.
const wl_pointer_listener kPointerListener = [] {
    wl_pointer_listener listener{};
    listener.enter = pointerEnter;
    listener.leave = pointerLeave;
    listener.motion = pointerMotion;
    listener.button = pointerButton;
    listener.axis = pointerAxis;
    listener.frame = pointerFrame;
    listener.axis_source = pointerAxisSource;
    listener.axis_stop = pointerAxisStop;
    listener.axis_discrete = pointerAxisDiscrete;
    return listener;
}();

}  // namespace

keslWaylandInput::keslWaylandInput(wl_seat* seat, SkyPosition skyPosition)
    : m_seat(seat), m_skyPosition(std::move(skyPosition)) {
    wl_seat_add_listener(seat, &kSeatListener, this);
}

keslWaylandInput::~keslWaylandInput() = default;

void keslWaylandInput::onCapabilities(uint32_t capabilities) {
    const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (keyboard && !m_keyboard) {
        m_keyboard.reset(wl_seat_get_keyboard(m_seat));
        wl_keyboard_add_listener(m_keyboard.get(), &kKeyboardListener, this);
    } else if (!keyboard) {
        m_keyboard.reset();
    }
    if (pointer && !m_pointer) {
        m_pointer.reset(wl_seat_get_pointer(m_seat));
        wl_pointer_add_listener(m_pointer.get(), &kPointerListener, this);
    } else if (!pointer) {
        m_pointer.reset();
        m_pointerSurface = nullptr;
    }
    logInfo("Wayland seat: keyboard %s, pointer %s", keyboard ? "yes" : "no", pointer ? "yes" : "no");
}

void keslWaylandInput::onKey(uint32_t state) {
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) close("a key");
}

void keslWaylandInput::onButton(uint32_t state) {
    if (state == WL_POINTER_BUTTON_STATE_PRESSED) close("a button");
}

void keslWaylandInput::onPointerEnter(uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    // No cursor over the sky.
    wl_pointer_set_cursor(m_pointer.get(), serial, nullptr, 0, 0);
    m_pointerSurface = surface;
    pointerAt(x, y);
}

void keslWaylandInput::onPointerMotion(wl_fixed_t x, wl_fixed_t y) { pointerAt(x, y); }

void keslWaylandInput::pointerAt(wl_fixed_t x, wl_fixed_t y) {
    keslPoint<long> now;
    if (!m_pointerSurface || !m_skyPosition(m_pointerSurface, wl_fixed_to_double(x), wl_fixed_to_double(y), now)) return;
    if (!m_haveReference) {
        m_reference = now;
        m_haveReference = true;
        return;
    }
    if (mouseMoveCloses(m_reference, now)) close("a pointer move");
}

void keslWaylandInput::close(const char* reason) {
    if (m_closeRequested) return;
    m_closeRequested = true;
    m_closeReason = reason;
    logInfo("Wayland: closed by %s", reason);
}
