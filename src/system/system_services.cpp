#include "system/system_services.h"

#include <atomic>

namespace {
std::atomic<keslSystem*> g_installed{nullptr};
}

keslSystem& keslSystemServices() {
    keslSystem* installed = g_installed.load(std::memory_order_acquire);
    return installed ? *installed : platformSystemServices();
}

keslSystem* installSystemServices(keslSystem* services) {
    return g_installed.exchange(services, std::memory_order_acq_rel);
}
