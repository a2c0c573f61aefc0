// Windows answers to the system-services questions.
#include "system/system_services.h"
#include "system/file_primitives.h"

#include <windows.h>
#include <mmsystem.h>
#include <shlobj.h>

namespace {

BOOL CALLBACK collectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
    if (!rect) return FALSE;
    reinterpret_cast<std::vector<keslRect<int>>*>(list)->emplace_back(rect->top, rect->left, rect->right - rect->left,
                                                                      rect->bottom - rect->top);
    return TRUE;
}

std::string shellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
    return path;
}

class Win32System final : public keslSystem {
public:
    Win32System() {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        m_ticksPerSecond = static_cast<double>(frequency.QuadPart);
    }

    std::time_t currentTime() const override { return std::time(nullptr); }

    bool localTime(std::time_t t, std::tm& out) const override { return localtime_s(&out, &t) == 0; }

    double monotonicSeconds() const override {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart) / m_ticksPerSecond;
    }

    std::string tempFolder() const override {
        char path[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathA(sizeof path, path);
        return (length > 0 && length < sizeof path) ? std::string(path, length) : std::string();
    }

    std::string appDataFolder() const override { return shellFolder(CSIDL_APPDATA); }
    std::string desktopFolder() const override { return shellFolder(CSIDL_DESKTOPDIRECTORY); }

    std::string modulePath() const override {
        char path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        return (length > 0 && length < MAX_PATH) ? std::string(path, length) : std::string();
    }

    void debugOutput(const std::string& text) const override { OutputDebugStringA(text.c_str()); }

    bool cursorPosition(keslPoint<long>& out) const override {
        POINT cursor;
        if (!GetCursorPos(&cursor)) return false;
        out = {cursor.x, cursor.y};
        return true;
    }

    bool keepAwake(bool on) override {
        const EXECUTION_STATE wanted = on ? (ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED) : ES_CONTINUOUS;
        return SetThreadExecutionState(wanted) != 0;
    }

    // The system's sound service plays the module's own WAVE resources on its own thread.
    void playSound(int waveResource, bool loop) override {
        const DWORD flags = SND_RESOURCE | SND_ASYNC | (loop ? SND_LOOP : 0);
        PlaySoundA(MAKEINTRESOURCEA(waveResource), GetModuleHandleA(nullptr), flags);
    }

    void stopSound() override { PlaySoundA(nullptr, nullptr, SND_ASYNC); }

    std::vector<keslRect<int>> monitorRects() const override {
        std::vector<keslRect<int>> monitors;
        EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&monitors));
        return monitors;
    }

private:
    double m_ticksPerSecond = 1.0;
};

}  // namespace

keslSystem& platformSystemServices() {
    static Win32System services;
    return services;
}

namespace keslSystemFiles {

bool fileExists(const char* path) {
    if (!path || !*path) return false;
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(const char* path) {
    if (!path || !*path) return false;
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool createFolder(const std::string& path) {
    CreateDirectoryA(path.c_str(), nullptr);
    return folderExists(path.c_str());
}

}  // namespace keslSystemFiles
