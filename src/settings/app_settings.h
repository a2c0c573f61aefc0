// The application's settings grouped as the configuration sheet's pages group
// them. Each group is built where it is needed, over the application's store
// unless a test hands in its own.
#pragma once

#include "settings/setting.h"

namespace settingsGroups {
keslKeyValue& defaultStore();
}

struct cGeneralSettings {
    explicit cGeneralSettings(keslKeyValue& store = settingsGroups::defaultStore());
    keslStringSetting interfaceLang;
    keslIntSetting activeDialogTab;
    keslIntSetting startupEffect;
    keslIntSetting background;
    keslBoolSetting telemetryConsent;
};

struct cMoonSettings {
    explicit cMoonSettings(keslKeyValue& store = settingsGroups::defaultStore());
    keslIntSetting moonSize;
    keslBoolSetting showMoon;
    keslBoolSetting fromSouthHemisphere;
    keslBoolSetting showPhasePercentAndDegrees;
    keslBoolSetting showPhaseName;
    keslBoolSetting showNotableDates;
};

struct cHotCornerSettings {
    explicit cHotCornerSettings(keslKeyValue& store = settingsGroups::defaultStore());
    keslBoolSetting topLeft;
    keslBoolSetting topRight;
    keslBoolSetting bottomLeft;
    keslBoolSetting bottomRight;
};

struct cPowerSettings {
    // The keep-awake minutes that stand for "as long as the sky runs".
    static constexpr int kPermanentMinutes = 19999;

    explicit cPowerSettings(keslKeyValue& store = settingsGroups::defaultStore());
    // Keeps the computer awake for minutes from now, or permanently for
    // kPermanentMinutes (then the moment already stored is left as it is).
    void storeKeepAwakeMinutes(int minutes);

    keslInt64Setting preventSleepUntilUtcMinutes;
    keslBoolSetting preventSleepPermanently;
};

struct cSoundSettings {
    explicit cSoundSettings(keslKeyValue& store = settingsGroups::defaultStore());
    keslIntSetting selectedSound;
    keslBoolSetting loopSound;
    keslBoolSetting cuckooEveryHour;
};

struct cQuoteSettings {
    explicit cQuoteSettings(keslKeyValue& store = settingsGroups::defaultStore());
    keslBoolSetting love;
    keslBoolSetting wisdom;
    keslBoolSetting advice;
    keslBoolSetting funny;
    keslBoolSetting womenVsMen;
    keslBoolSetting peace;
    keslBoolSetting userQuotes;
    keslIntSetting durationInSec;
};

struct cClockSettings {
    explicit cClockSettings(keslKeyValue& store = settingsGroups::defaultStore());
    keslBoolSetting showClock;
    keslBoolSetting format24H;
    keslBoolSetting showSeconds;
    keslBoolSetting autoColor;
    keslStringSetting fontSize;
    keslStringSetting speed;
    keslColorSetting color;

    // The font size read as a number, the speed looked up among the offered
    // ones; each falls back to the clock's default.
    int fontSizePixels() const;
    float speedPixelsPerSecond() const;
};

struct cSkySettings {
    explicit cSkySettings(keslKeyValue& store = settingsGroups::defaultStore());
    keslBoolSetting realSky;
    keslStringSetting latitude;
    keslStringSetting longitude;
    keslBoolSetting showConstellationLines;
    keslBoolSetting showNames;
    keslBoolSetting alwaysNight;
};
