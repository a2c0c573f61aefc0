#include "net/server_url.h"

#include <cctype>

bool parseServerUrl(const std::string& url, keslServerUrl& out) {
    const size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos) return false;
    std::string scheme = url.substr(0, schemeEnd);
    for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (scheme != "http" && scheme != "https") return false;

    keslServerUrl parsed;
    parsed.secure = scheme == "https";
    parsed.port = parsed.secure ? 443 : 80;
    const size_t hostStart = schemeEnd + 3;
    const size_t pathStart = url.find('/', hostStart);
    std::string hostAndPort = url.substr(hostStart, pathStart == std::string::npos ? std::string::npos : pathStart - hostStart);
    parsed.path = pathStart == std::string::npos ? "/" : url.substr(pathStart);

    const size_t colon = hostAndPort.rfind(':');
    if (colon != std::string::npos && hostAndPort.find(']', colon) == std::string::npos) {
        const std::string portText = hostAndPort.substr(colon + 1);
        if (portText.empty() || portText.size() > 5) return false;
        for (char c : portText)
            if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        parsed.port = std::stoi(portText);
        if (parsed.port < 1 || parsed.port > 65535) return false;
        hostAndPort.resize(colon);
    }
    if (hostAndPort.empty()) return false;
    parsed.host = hostAndPort;
    out = parsed;
    return true;
}

bool isLoopbackHost(const std::string& host) {
    return host == "localhost" || host == "[::1]" || host.compare(0, 4, "127.") == 0;
}
