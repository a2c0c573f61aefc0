#include "system/system_services.h"

#include <atomic>

namespace {
std::atomic<keslSystem*> g_installed{nullptr};
std::atomic<keslSystemNoticeSink> g_noticeSink{nullptr};
}  // namespace

keslSystem& keslSystemServices() {
    keslSystem* installed = g_installed.load(std::memory_order_acquire);
    return installed ? *installed : platformSystemServices();
}

keslSystem* installSystemServices(keslSystem* services) {
    return g_installed.exchange(services, std::memory_order_acq_rel);
}

void installSystemNoticeSink(keslSystemNoticeSink sink) { g_noticeSink.store(sink, std::memory_order_release); }

void keslSystemNotice(const std::string& text) {
    if (keslSystemNoticeSink sink = g_noticeSink.load(std::memory_order_acquire)) sink(text);
}
