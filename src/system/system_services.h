// Every question the portable code asks of the operating system goes through
// this one interface, so that tests can install a fake clock, fake folders and
// (later) a fake cursor or sound player. The host installs nothing: the
// platform's own implementation answers until someone installs another.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// A monitor's rectangle in virtual-screen pixels, as the system reports it.
struct keslMonitorRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class keslSystem {
public:
    virtual ~keslSystem() = default;

    // Wall-clock time in whole seconds since the epoch.
    virtual std::time_t currentTime() const = 0;
    // Local calendar time of t in the user's time zone; false if it cannot be converted.
    virtual bool localTime(std::time_t t, std::tm& out) const = 0;
    // A monotonic high-resolution clock in seconds, for durations only.
    virtual double monotonicSeconds() const = 0;

    // Folders end without a guaranteed separator; empty when the platform cannot say.
    virtual std::string tempFolder() const = 0;
    virtual std::string appDataFolder() const = 0;
    virtual std::string desktopFolder() const = 0;
    // Full path of the running program (or module), empty if unknown.
    virtual std::string modulePath() const = 0;

    // The debugger's output channel (OutputDebugString on Windows).
    virtual void debugOutput(const std::string& text) const = 0;

    // Every monitor in the system's enumeration order; empty when unknown.
    virtual std::vector<keslMonitorRect> monitorRects() const { return {}; }
};

// The services in force: the installed ones, or the platform's own.
keslSystem& keslSystemServices();
// Borrows services for everyone until replaced; nullptr restores the platform's.
void installSystemServices(keslSystem* services);
// Defined by the platform backend (win32 or posix).
keslSystem& platformSystemServices();
