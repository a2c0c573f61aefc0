// System services a test controls: a settable clock and time zone offset,
// folders inside a temporary folder, a recorded debugger output, monitors, a
// settable cursor, a recording keep-awake, a recording sound player and
// settable answers about the computer and its user.
// Installed for the lifetime of the object.
#pragma once

#include "system/system_services.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class FakeSystem : public keslSystem {
public:
    FakeSystem();
    ~FakeSystem() override;

    std::time_t currentTime() const override {
        ++clockLooks;
        return now;
    }
    bool localTime(std::time_t t, std::tm& out) const override;
    double monotonicSeconds() const override { return monotonic; }
    std::string tempFolder() const override { return temp; }
    std::string appDataFolder() const override { return appData; }
    std::string desktopFolder() const override { return desktop; }
    std::string modulePath() const override { return module; }
    void debugOutput(const std::string& text) const override { debugLines.push_back(text); }
    std::vector<keslRect<int>> monitorRects() const override { return monitors; }
    bool cursorPosition(keslPoint<long>& out) const override {
        if (!cursor) return false;
        out = *cursor;
        return true;
    }
    bool keepAwake(bool on) override {
        keepAwakeRequests.push_back(on);
        return keepAwakeGranted;
    }
    std::string computerName() const override { return computer; }
    std::string userName() const override { return user; }
    std::string osVersion() const override { return os; }
    std::uint64_t installedMemoryBytes() const override { return installedMemory; }
    std::uint64_t freeMemoryBytes() const override { return freeMemory; }
    std::string cpuModel() const override { return cpu; }
    void playSound(int waveResource, bool loop) override { sounds.push_back({waveResource, loop}); }
    void stopSound() override { sounds.push_back({kStop, false}); }
    std::string timeZoneName() const override { return timeZone; }
    std::string userCountry() const override { return country; }
    std::string userLanguage() const override { return language; }

    // One sound-player call: a WAVE resource played, or kStop.
    struct SoundCall {
        int waveResource;
        bool loop;
        bool operator==(const SoundCall& other) const {
            return waveResource == other.waveResource && loop == other.loop;
        }
    };
    static constexpr int kStop = -1;

    std::time_t now = 1'700'000'000;
    // Local time is UTC shifted by this many seconds.
    long utcOffsetSeconds = 0;
    // What the system calls its time zone.
    std::string timeZone;
    // The user's country, e.g. "AT"; empty: the system will not say.
    std::string country;
    std::string language;
    double monotonic = 0.0;
    std::string temp;
    std::string appData;
    std::string desktop;
    std::string module;
    std::vector<keslRect<int>> monitors;
    std::optional<keslPoint<long>> cursor;
    // Every keep-awake call in order (true: keep awake, false: give sleep back).
    std::vector<bool> keepAwakeRequests;
    bool keepAwakeGranted = true;
    mutable std::vector<std::string> debugLines;
    // How often the wall clock was read.
    mutable int clockLooks = 0;
    // How often a time was turned into local time.
    mutable int localTimeLooks = 0;
    std::vector<SoundCall> sounds;
    // Who and what runs the program; empty or 0: the system will not say.
    std::string computer;
    std::string user;
    std::string os;
    std::uint64_t installedMemory = 0;
    std::uint64_t freeMemory = 0;
    std::string cpu;

private:
    keslSystem* m_replaced = nullptr;
};
