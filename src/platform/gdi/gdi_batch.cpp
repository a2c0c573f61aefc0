#include "platform/gdi/gdi_batch.h"

#include <windows.h>

namespace {
// One note for the process: only the window's thread draws with GDI. (A
// thread_local would cost more than the flush it saves, emulated by MinGW.)
// Starts set: nothing is known of what was drawn before the first question.
bool drawnSinceFlush = true;
}  // namespace

void keslGdiMayHaveDrawn() { drawnSinceFlush = true; }

void keslGdiSettle() {
    if (!drawnSinceFlush) return;
    GdiFlush();
    drawnSinceFlush = false;
}
