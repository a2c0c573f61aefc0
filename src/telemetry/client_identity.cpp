#include "telemetry/client_identity.h"

#include "system/system_services.h"

#include <chrono>
#include <cstdio>
#include <random>

namespace {

template <class Hash>
Hash fnv1a(const std::string& text, Hash offsetBasis, Hash prime) {
    Hash hash = offsetBasis;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= prime;
    }
    return hash;
}

std::string hex16(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

std::uint32_t fnv1a32(const std::string& text) { return fnv1a<std::uint32_t>(text, 0x811c9dc5u, 16777619u); }

std::uint64_t fnv1a64(const std::string& text) {
    return fnv1a<std::uint64_t>(text, 0xcbf29ce484222325ull, 0x100000001b3ull);
}

std::string anonymousClientId(const std::string& computerName, const std::string& userName, eClientIdForm form) {
    const std::string both = computerName + userName;
    return form == eClientIdForm::hex16 ? hex16(fnv1a64(both)) : std::to_string(fnv1a32(both));
}

std::string runClientId(eClientIdForm form) {
    const auto ticks = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::random_device device;
    const std::uint64_t random = (static_cast<std::uint64_t>(device()) << 32) ^ device() ^ ticks;
    return form == eClientIdForm::hex16 ? hex16(random) : std::to_string(static_cast<std::uint32_t>(random));
}

std::string currentClientId(eClientIdForm form) {
    const keslSystem& system = keslSystemServices();
    const std::string computerName = system.computerName();
    const std::string userName = system.userName();
    if (computerName.empty() && userName.empty()) return {};
    return anonymousClientId(computerName, userName, form);
}

std::string userAgentFor(const std::string& appName, const std::string& appVersion, const std::string& osVersion) {
    std::string agent = appName + "/" + appVersion;
    if (!osVersion.empty()) agent += " (" + osVersion + ")";
    return agent;
}

std::string screenResolutionText(const std::vector<keslRect<int>>& monitors) {
    std::string text;
    for (const keslRect<int>& monitor : monitors) {
        if (!text.empty()) text += ", ";
        text += std::to_string(monitor.width) + "x" + std::to_string(monitor.height);
    }
    return text;
}
