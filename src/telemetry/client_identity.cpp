#include "telemetry/client_identity.h"

#include "system/system_services.h"

std::uint32_t fnv1a32(const std::string& text) {
    std::uint32_t hash = 0x811c9dc5u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

std::string anonymousClientId(const std::string& computerName, const std::string& userName) {
    return std::to_string(fnv1a32(computerName + userName));
}

std::string currentClientId() {
    const keslSystem& system = keslSystemServices();
    const std::string computerName = system.computerName();
    const std::string userName = system.userName();
    if (computerName.empty() && userName.empty()) return {};
    return anonymousClientId(computerName, userName);
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
