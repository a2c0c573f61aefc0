// Every question the portable code asks of the operating system goes through
// this one interface, so that tests can install a fake clock, fake folders and
// fake monitors. The host installs nothing: the platform's own implementation
// answers until someone installs another.
#pragma once

#include "system/point.h"
#include "system/rect.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

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

    // Every monitor in virtual-screen pixels, in the system's enumeration
    // order; empty when unknown.
    virtual std::vector<keslRect<int>> monitorRects() const { return {}; }

    // The mouse cursor in virtual-screen pixels; false when there is none to ask.
    virtual bool cursorPosition(keslPoint<long>& /*out*/) const { return false; }

    // Keeps the computer and its display from sleeping while on, for this
    // thread; off gives sleep back. False when the system refused or cannot.
    virtual bool keepAwake(bool /*on*/) { return false; }

    // Who and what runs the program, for anonymous usage statistics; empty
    // when the system will not say.
    virtual std::string computerName() const { return {}; }
    virtual std::string userName() const { return {}; }
    // The operating system's name and version, e.g. "Windows NT 10.0; Win64; x64".
    virtual std::string osVersion() const { return {}; }
    // Whether the routing table holds a default route. A system that cannot
    // tell answers true, so statistics are not silenced by a missing answer.
    virtual bool hasDefaultRoute() const { return true; }
    // Installed and free memory in bytes (0 when unknown) and the processor's
    // model name (empty when unknown).
    virtual std::uint64_t installedMemoryBytes() const { return 0; }
    virtual std::uint64_t freeMemoryBytes() const { return 0; }
    virtual std::string cpuModel() const { return {}; }
    // The system's time zone by name: the IANA name ("Europe/Berlin") on
    // POSIX, the time-zone key ("W. Europe Standard Time") on Windows; empty
    // when the system will not say.
    virtual std::string timeZoneName() const { return {}; }
    // The user's country as an ISO 3166 alpha-2 code ("AT"), from the
    // system's region or locale; empty when the system will not say. A
    // Windows time-zone key covers several countries, and this picks the city.
    virtual std::string userCountry() const { return {}; }
    // The language the user reads the system in, ISO 639-1 ("de"); empty when unknown.
    virtual std::string userLanguage() const { return {}; }
    // Starts the sound resource waveResource in the background, replacing any
    // sound still playing; with loop it repeats until the next play or stop.
    // Returns at once: the sound system is never waited for.
    virtual void playSound(int /*waveResource*/, bool /*loop*/) {}
    // Silences whatever sound plays.
    virtual void stopSound() {}
};

// The services in force: the installed ones, or the platform's own.
keslSystem& keslSystemServices();
// Borrows services for everyone until replaced; nullptr restores the platform's.
// Returns the services replaced (nullptr for the platform's), so whoever
// installs can put them back.
keslSystem* installSystemServices(keslSystem* services);
// Defined by the platform backend (win32 or posix).
keslSystem& platformSystemServices();

// What the system's background work (the sound player's own thread) wants the
// log to tell. The log installs the sink when it starts; until then notices
// are dropped. Any thread may send one.
using keslSystemNoticeSink = void (*)(const std::string& text);
void installSystemNoticeSink(keslSystemNoticeSink sink);
void keslSystemNotice(const std::string& text);
