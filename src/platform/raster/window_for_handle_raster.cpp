#include "platform/window.h"
#include "util/log.h"

std::unique_ptr<keslWindow> keslCreateWindowForHandle(keslWindowHandle) {
    logError("#7201: no native window to wrap on this platform; the host must hand its window over");
    return nullptr;
}
