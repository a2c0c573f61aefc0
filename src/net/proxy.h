// A proxy for the statistics posts, for networks that reach the web only
// through one. Plain and secure connections may use different proxies.
#pragma once

#include <string>

struct keslProxyServer {
    std::string address;
    int port = 0;
    bool isSet() const { return !address.empty() && port > 0; }
};

struct keslProxy {
    keslProxyServer http;   // "Http proxy"
    keslProxyServer https;  // "Https proxy"
    std::string userName;
    std::string password;
    int authScheme = 0;
    bool isSet() const { return http.isSet() || https.isSet(); }
    bool hasCredentials() const { return !userName.empty(); }
};
