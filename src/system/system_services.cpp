#include "system/system_services.h"

#include <atomic>

namespace {
std::atomic<keslSystem*> g_installed{nullptr};
}

keslSystem& keslSystemServices() {
    keslSystem* installed = g_installed.load(std::memory_order_acquire);
    return installed ? *installed : platformSystemServices();
}

void installSystemServices(keslSystem* services) {
    g_installed.store(services, std::memory_order_release);
}
