// System services a test controls: a settable clock and time zone offset,
// folders inside a temporary folder, a recorded debugger output. Installed
// for the lifetime of the object.
#pragma once

#include "system/system_services.h"

#include <string>
#include <vector>

class FakeSystem : public keslSystem {
public:
    FakeSystem();
    ~FakeSystem() override;

    std::time_t currentTime() const override { return now; }
    bool localTime(std::time_t t, std::tm& out) const override;
    double monotonicSeconds() const override { return monotonic; }
    std::string tempFolder() const override { return temp; }
    std::string appDataFolder() const override { return appData; }
    std::string desktopFolder() const override { return desktop; }
    std::string modulePath() const override { return module; }
    void debugOutput(const std::string& text) const override { debugLines.push_back(text); }
    std::vector<keslRect<int>> monitorRects() const override { return monitors; }

    std::time_t now = 1'700'000'000;
    // Local time is UTC shifted by this many seconds.
    long utcOffsetSeconds = 0;
    double monotonic = 0.0;
    std::string temp;
    std::string appData;
    std::string desktop;
    std::string module;
    std::vector<keslRect<int>> monitors;
    mutable std::vector<std::string> debugLines;

private:
    keslSystem* m_replaced = nullptr;
};
