#include "telemetry/analytics_payload.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>

namespace {

const char kUnreserved[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.~";

// The cache-busting number of a hit. A generator of telemetry's own, seeded
// once per run: the sky's shared one may not be seeded yet when the first
// hits go out (every run would send the same numbers), and drawing from it
// would change the sky.
std::string randomText() {
    static std::mutex guard;
    static std::mt19937 generator{std::random_device{}() ^
                                  static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    // The range the C library's rand() had, so the field keeps its form.
    static std::uniform_int_distribution<long> draw(0, 2147483647L);
    const std::lock_guard<std::mutex> lock(guard);
    return std::to_string(draw(generator));
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
            continue;
        }
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::string percentEncode(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\0' && std::strchr(kUnreserved, c)) {
            out += c;
            continue;
        }
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%.2X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        out += hex;
    }
    return out;
}

std::string cAnalyticsPayload::body() const {
    std::string out;
    for (const auto& [key, value] : entries()) {
        if (!out.empty()) out += '&';
        out += percentEncode(key) + '=' + percentEncode(value);
    }
    return out;
}

// Cut at a character boundary, so a name in any script stays valid UTF-8.
void cAnalyticsPayload::setField(const std::string& key, const std::string& value, size_t maxLength) {
    if (maxLength == 0 || value.size() <= maxLength) {
        setString(key.c_str(), value);
        return;
    }
    size_t cut = maxLength;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    setString(key.c_str(), value.substr(0, cut));
}

void cAnalyticsPayloadGA::resetToHeader() {
    clearFields();
    setField("v", "1", 0);
    setField("aip", "1", 0);
}

void cAnalyticsPayloadGA::setCustomDimension(int index, const std::string& value) {
    setField("cd" + std::to_string(index), value, 150);
}

void cAnalyticsPayloadGA::setCustomMetric(int index, long long value) {
    setField("cm" + std::to_string(index), std::to_string(value), 0);
}

void cAnalyticsPayloadGA::setCustomMetric(int index, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    setField("cm" + std::to_string(index), text, 0);
}

void cAnalyticsPayloadGA::setExceptionHit(const std::string& description, bool fatal) {
    setField("t", "exception", 0);
    setField("exd", description, 0);
    setField("exf", fatal ? "1" : "0", 0);
    setField("z", randomText(), 0);
}

void cAnalyticsPayloadGA::setEventHit(const std::string& category, const std::string& action,
                                      const std::string& label, int value) {
    setField("t", "event", 0);
    setField("ec", category, 150);
    setField("ea", action, 500);
    setField("el", label, 500);
    setField("ev", std::to_string(value), 0);
    setField("z", randomText(), 0);
}

void cAnalyticsPayloadGA::setPageviewHit(const std::string& path, const std::string& title) {
    setField("t", "pageview", 0);
    setField("dp", path, 0);
    if (!title.empty()) setField("dt", title, 0);
    setField("z", randomText(), 0);
}

void cAnalyticsPayloadGA::setScreenviewHit(const std::string& screenName) {
    setField("t", "screenview", 0);
    setField("cd", screenName, 0);
    setField("z", randomText(), 0);
}

void cAnalyticsPayloadGA::setApplicationFields(const std::string& name, const std::string& version,
                                               const std::string& label) {
    setAppName(name);
    setAppVersion(version);
    setAppId(label + " / " + version);
    setCampaignName(name + "  " + version);
    setCampaignSource(name + "  " + version + "  " + label);
    setCampaignMedium(version);
}

void cAnalyticsPayloadMatomo::resetToHeader() {
    clearFields();
    setField("rec", "1", 0);
    setField("apiv", "1", 0);
}

void cAnalyticsPayloadMatomo::setCustomDimension(int index, const std::string& value) {
    setField("dimension" + std::to_string(index), value, 150);
}

void cAnalyticsPayloadMatomo::setExceptionHit(const std::string& description, bool fatal) {
    setField("exd", description, 0);
    setField("exf", fatal ? "1" : "0", 0);
    setField("rand", randomText(), 0);
}

void cAnalyticsPayloadMatomo::setEventHit(const std::string& category, const std::string& action,
                                          const std::string& label, int value) {
    setField("e_c", category, 150);
    setField("e_a", action, 500);
    setField("e_l", label, 500);
    setField("e_v", std::to_string(value), 0);
    setField("rand", randomText(), 0);
}

void cAnalyticsPayloadMatomo::setPageviewHit(const std::string& path, const std::string& title) {
    setField("url", path, 0);
    setField("action_name", title, 0);
    setField("rand", randomText(), 0);
}

void cAnalyticsPayloadMatomo::setScreenviewHit(const std::string& screenName) {
    setField("t", "screenview", 0);
    setField("cd", screenName, 0);
    setField("rand", randomText(), 0);
}

void cAnalyticsPayloadMatomo::setApplicationFields(const std::string& name, const std::string& version,
                                                   const std::string&) {
    setField("_cvar", "{\"1\":[\"appName\"," + jsonString(name) + "],\"2\":[\"appVersion\"," + jsonString(version) + "]}",
             0);
}
