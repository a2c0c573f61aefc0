// Linux answers to the system-services questions, following the XDG
// conventions for the application-data and desktop folders.
#include "system/system_services.h"
#include "system/file_primitives.h"
#include "system/locale_territory.h"
#include "system/posix/pulse_sound_player.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <vector>
#include <limits.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

std::string environmentOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return (value && *value) ? std::string(value) : fallback;
}

std::string homeFolder() { return environmentOr("HOME", "/tmp"); }

std::string inHomeFolder(const char* name) {
    std::string home = homeFolder();
    if (home.back() != '/') home += '/';
    return home + name;
}

std::string trimmed(const std::string& text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    return text.substr(start, text.find_last_not_of(" \t") + 1 - start);
}

// The value after the colon of the first line of /proc/cpuinfo naming key
// (x86 says "model name"; many ARM kernels name no model at all: empty).
std::string cpuInfoField(const std::string& key) {
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos || trimmed(line.substr(0, colon)) != key) continue;
        return trimmed(line.substr(colon + 1));
    }
    return {};
}

// A "Name:   123 kB" line of /proc/meminfo in bytes; 0 when it is not there.
std::uint64_t memInfoBytes(const std::string& name) {
    std::ifstream info("/proc/meminfo");
    std::string line;
    while (std::getline(info, line)) {
        if (line.compare(0, name.size() + 1, name + ":") != 0) continue;
        const char* digits = line.c_str() + name.size() + 1;
        while (*digits == ' ' || *digits == '\t') ++digits;
        char* end = nullptr;
        errno = 0;
        const unsigned long long kilobytes = std::strtoull(digits, &end, 10);
        if (end == digits || errno == ERANGE || kilobytes > UINT64_MAX / 1024) return 0;
        return static_cast<std::uint64_t>(kilobytes) * 1024;
    }
    return 0;
}

std::uint64_t pagesInBytes(int pagesName) {
    const long pages = sysconf(pagesName);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return (pages > 0 && pageSize > 0) ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) : 0;
}

class PosixSystem final : public keslSystem {
public:
    std::time_t currentTime() const override { return std::time(nullptr); }

    bool localTime(std::time_t t, std::tm& out) const override { return localtime_r(&t, &out) != nullptr; }

    double monotonicSeconds() const override {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }

    std::string tempFolder() const override { return environmentOr("TMPDIR", "/tmp"); }

    std::string appDataFolder() const override {
        return environmentOr("XDG_CONFIG_HOME", inHomeFolder(".config"));
    }

    std::string desktopFolder() const override {
        return environmentOr("XDG_DESKTOP_DIR", inHomeFolder("Desktop"));
    }

    std::string modulePath() const override {
        char buffer[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
    }

    void debugOutput(const std::string&) const override {}

    std::string computerName() const override {
        char name[256] = {};
        return gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
    }

    // The account the program runs as, from the user database (as Windows'
    // GetUserName); only a user the database does not know (a container's
    // bare uid) falls back on the login's variables.
    std::string userName() const override {
        std::vector<char> buffer(16384);
        passwd entry{};
        passwd* found = nullptr;
        if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name &&
            *found->pw_name)
            return found->pw_name;
        return environmentOr("LOGNAME", environmentOr("USER", ""));
    }

    // TZ when set (":Europe/Berlin" and zoneinfo paths are trimmed by the
    // reader), else the zone /etc/localtime links to, else Debian's /etc/timezone.
    std::string timeZoneName() const override {
        const std::string tz = environmentOr("TZ", "");
        if (!tz.empty()) return tz;
        char target[PATH_MAX] = {};
        const ssize_t length = readlink("/etc/localtime", target, sizeof target - 1);
        if (length > 0) return std::string(target, static_cast<size_t>(length));
        std::ifstream file("/etc/timezone");
        std::string line;
        std::getline(file, line);
        return line;
    }

    // The territory of the locale the user's messages follow, the variables
    // read in setlocale's order: "de_AT.UTF-8" -> AT.
    std::string userCountry() const override {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const std::string locale = environmentOr(name, "");
            if (!locale.empty()) return territoryOfLocaleName(locale);
        }
        return {};
    }

    // The first of these that is set decides, as it does for messages.
    std::string userLanguage() const override {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const std::string locale = environmentOr(name, "");
            if (!locale.empty()) return languageOfLocaleName(locale);
        }
        return {};
    }

    // "Linux 6.1.0-18-amd64; x86_64", for the user agent.
    std::string osVersion() const override {
        utsname names{};
        if (uname(&names) != 0) return {};
        const std::string system = trimmed(std::string(names.sysname) + " " + names.release);
        const std::string machine = names.machine;
        if (system.empty()) return {};
        return machine.empty() ? system : system + "; " + machine;
    }

    // The kernel's table lists the default route with destination 00000000;
    // without the table (not Linux, or no /proc) the answer is unknown.
    bool hasDefaultRoute() const override {
        std::ifstream routes("/proc/net/route");
        if (!routes) return true;
        std::string line;
        std::getline(routes, line);
        while (std::getline(routes, line)) {
            char interfaceName[64] = {};
            char destination[16] = {};
            if (std::sscanf(line.c_str(), "%63s %15s", interfaceName, destination) == 2 &&
                std::string(destination) == "00000000")
                return true;
        }
        return false;
    }

    std::uint64_t installedMemoryBytes() const override {
        const std::uint64_t bytes = pagesInBytes(_SC_PHYS_PAGES);
        return bytes ? bytes : memInfoBytes("MemTotal");
    }
    // What Windows calls available: free pages and the caches the kernel
    // gives back on demand (MemAvailable), else the bare free pages.
    std::uint64_t freeMemoryBytes() const override {
        const std::uint64_t available = memInfoBytes("MemAvailable");
        return available ? available : pagesInBytes(_SC_AVPHYS_PAGES);
    }
    std::string cpuModel() const override { return cpuInfoField("model name"); }

    void playSound(int waveResource, bool loop) override { m_sounds.play(waveResource, loop); }
    void stopSound() override { m_sounds.stop(); }

private:
    keslPulseSoundPlayer m_sounds;
};

}  // namespace

keslSystem& platformSystemServices() {
    static PosixSystem services;
    return services;
}

namespace keslSystemFiles {

bool fileExists(const char* path) {
    struct stat info {};
    return path && *path && stat(path, &info) == 0 && !S_ISDIR(info.st_mode);
}

bool folderExists(const char* path) {
    struct stat info {};
    return path && *path && stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool createFolder(const std::string& path) {
    mkdir(path.c_str(), 0755);
    return folderExists(path.c_str());
}

}  // namespace keslSystemFiles
