#include "platform/window.h"

std::unique_ptr<keslWindow> keslCreateWindowForHandle(keslWindowHandle handle) {
    return std::make_unique<keslWindow>(handle);
}
