// Linux answers to the system-services questions, following the XDG
// conventions for the application-data and desktop folders.
#include "system/system_services.h"
#include "system/file_primitives.h"
#include "system/posix/pulse_sound_player.h"

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <limits.h>
#include <sys/stat.h>
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
