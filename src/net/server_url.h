// The one server address a client posts to, split the way the HTTP services
// want it: scheme, host, port and path.
#pragma once

#include <string>

struct keslServerUrl {
    bool secure = false;
    std::string host;
    int port = 0;
    std::string path;  // always starts with "/"
};

// Accepts "http://" and "https://" addresses, with an optional ":port";
// false for anything else (no host, another scheme, a port out of range).
bool parseServerUrl(const std::string& url, keslServerUrl& out);
// Whether host names this computer itself (a collector beside the program).
bool isLoopbackHost(const std::string& host);
