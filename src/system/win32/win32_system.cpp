// Windows answers to the system-services questions.
#include "system/system_services.h"
#include "system/file_primitives.h"
#include "system/locale_territory.h"

#include <windows.h>
#include <iphlpapi.h>
#include <mmsystem.h>
#include <shlobj.h>

#include <vector>

namespace {

// A FILETIME counts 100-nanosecond ticks since 1601-01-01 UTC.
constexpr unsigned long long kFileTimeTicksPerSecond = 10000000ULL;
constexpr unsigned long long kFileTimeAtUnixEpoch = 116444736000000000ULL;

BOOL CALLBACK collectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
    if (!rect) return FALSE;
    reinterpret_cast<std::vector<keslRect<int>>*>(list)->emplace_back(rect->top, rect->left, rect->right - rect->left,
                                                                      rect->bottom - rect->top);
    return TRUE;
}

// The ASCII characters of a system name (time-zone keys, locale and country
// codes are ASCII), at most 128 of them.
std::string asciiOf(const WCHAR* text) {
    constexpr std::size_t kMaxLength = 128;
    std::string name;
    for (const WCHAR* c = text; *c && name.size() < kMaxLength; ++c) {
        if (*c < 0x80) name += static_cast<char>(*c);
    }
    return name;
}

std::string shellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
    return path;
}

// GetVersionEx answers what the program's manifest allows it to know; the
// kernel's own RtlGetVersion tells the real version.
bool realWindowsVersion(OSVERSIONINFOW& info) {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return false;
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return rtlGetVersion && rtlGetVersion(&info) == 0;
}

bool is64BitWindows() {
#if defined(_WIN64)
    return true;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

class Win32System final : public keslSystem {
public:
    Win32System() {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        m_ticksPerSecond = static_cast<double>(frequency.QuadPart);
    }

    // The C library's time() asks for the time zone on every call (under Wine
    // a file check and dozens of microseconds), and a frame asks for the time.
    std::time_t currentTime() const override {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER ticks;
        ticks.LowPart = now.dwLowDateTime;
        ticks.HighPart = now.dwHighDateTime;
        return static_cast<std::time_t>((ticks.QuadPart - kFileTimeAtUnixEpoch) / kFileTimeTicksPerSecond);
    }

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

    std::string computerName() const override {
        char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
        DWORD size = sizeof name;
        return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
    }

    std::string userName() const override {
        char name[257] = {};
        DWORD size = sizeof name;
        return GetUserNameA(name, &size) ? std::string(name) : std::string();
    }

    // The registry key name of the zone, which CLDR maps to an IANA zone;
    // the keys are ASCII.
    std::string timeZoneName() const override {
        DYNAMIC_TIME_ZONE_INFORMATION info{};
        if (GetDynamicTimeZoneInformation(&info) == TIME_ZONE_ID_INVALID) return {};
        return asciiOf(info.TimeZoneKeyName);
    }

    // The country the user chose in the region settings, else the one of the
    // user's locale ("de-AT"). Both answers are ASCII.
    // The display language, which may differ from the formats' locale.
    std::string userLanguage() const override {
        WCHAR name[LOCALE_NAME_MAX_LENGTH] = {};
        const LCID display = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
        if (LCIDToLocaleName(display, name, LOCALE_NAME_MAX_LENGTH, 0) <= 0) return {};
        return languageOfLocaleName(asciiOf(name));
    }

    std::string userCountry() const override {
        const GEOID nation = GetUserGeoID(GEOCLASS_NATION);
        if (nation != GEOID_NOT_AVAILABLE) {
            WCHAR code[8] = {};
            if (GetGeoInfoW(nation, GEO_ISO2, code, ARRAYSIZE(code), 0) > 0) {
                const std::string country = isoCountryCode(asciiOf(code));
                if (!country.empty()) return country;
            }
        }
        WCHAR locale[LOCALE_NAME_MAX_LENGTH] = {};
        if (GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH) <= 0) return {};
        return territoryOfLocaleName(asciiOf(locale));
    }

    std::string osVersion() const override {
        OSVERSIONINFOW info;
        if (!realWindowsVersion(info)) return {};
        std::string text = "Windows NT " + std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion);
        if (is64BitWindows()) text += "; Win64; x64";
        return text;
    }

    bool hasDefaultRoute() const override {
        ULONG size = 0;
        if (GetIpForwardTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER) return true;
        std::vector<unsigned char> buffer(size);
        auto* table = reinterpret_cast<MIB_IPFORWARDTABLE*>(buffer.data());
        if (GetIpForwardTable(table, &size, FALSE) != NO_ERROR) return true;
        for (DWORD i = 0; i < table->dwNumEntries; ++i)
            if (table->table[i].dwForwardDest == 0) return true;
        return false;
    }

    std::uint64_t installedMemoryBytes() const override {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
    }

    std::uint64_t freeMemoryBytes() const override {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        return GlobalMemoryStatusEx(&status) ? status.ullAvailPhys : 0;
    }

    std::string cpuModel() const override {
        char model[256] = {};
        DWORD size = sizeof model - 1;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                         "ProcessorNameString", RRF_RT_REG_SZ, nullptr, model, &size) != ERROR_SUCCESS)
            return {};
        return model;
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
