// Every key the application keeps in its settings file, with its type and its
// default, in one place. Stored files depend on these names and on the stored
// forms of the types, so they never change.
#pragma once

#include <cstdint>

namespace settingKeys {

struct BoolKey { const char* name; bool defaultValue; };
struct IntKey { const char* name; int defaultValue; };
struct Int64Key { const char* name; std::int64_t defaultValue; };
struct StringKey { const char* name; const char* defaultValue; };

// General
inline constexpr StringKey interfaceLang{"interfaceLang", "EN"};
inline constexpr IntKey activeDialogTab{"activeDialogTab", 0};
inline constexpr IntKey startupEffect{"startupEffect", 0};  // 0 none, 1 old TV switching off
inline constexpr IntKey background{"background", 3};        // 0 black, 1 dark blue, 2 gradient, 3 starry image
inline constexpr BoolKey userGaveTelemetryConsent{"UserGaveTelemetryConsent", true};

// Moon
inline constexpr IntKey moonSize{"moonSize", 300};  // 100 small, 200 medium, 300 large
inline constexpr BoolKey showMoon{"showMoon", true};
inline constexpr BoolKey fromSouthHemisphere{"fromSouthHemisphere", false};
inline constexpr BoolKey showMoonPhasePercentAndDegrees{"showMoonPhasePercentAndDegrees", true};
inline constexpr BoolKey showMoonPhaseName{"showMoonPhaseName", true};
inline constexpr BoolKey showNotableDates{"showNotableDates", true};

// Messages: "message" and "bottomline" are followed by an index from 1.
inline constexpr IntKey messagesCount{"messagesCount", 0};
inline constexpr StringKey messagePrefix{"message", ""};
inline constexpr StringKey bottomLinePrefix{"bottomline", ""};
inline constexpr BoolKey defaultMessagesAdded{"msg_defaultMessagesAdded", false};

// Hot corners
inline constexpr BoolKey hotCornerTopLeft{"hotcorner_TL", false};
inline constexpr BoolKey hotCornerTopRight{"hotcorner_TR", false};
inline constexpr BoolKey hotCornerBottomLeft{"hotcorner_BL", false};
inline constexpr BoolKey hotCornerBottomRight{"hotcorner_BR", false};

// Power
inline constexpr Int64Key preventSleepUntilUtcMinutes{"preventComputerSleepUntilUTCtime_inMinutes", 0};
inline constexpr BoolKey preventSleepPermanently{"preventComputerSleep_permanently", false};

// Sounds
inline constexpr IntKey selectedSound{"snd_selectedSound", 0};
inline constexpr BoolKey loopSound{"snd_loopSound", false};
inline constexpr BoolKey cuckooEveryHour{"snd_cuckooEveryHour", true};

// Quotes
inline constexpr BoolKey showQuotesLove{"showQuotes_Love", true};
inline constexpr BoolKey showQuotesWisdom{"showQuotes_Wisdom", true};
inline constexpr BoolKey showQuotesAdvice{"showQuotes_Advice", true};
inline constexpr BoolKey showQuotesFunny{"showQuotes_Funny", true};
inline constexpr BoolKey showQuotesWomenVsMen{"showQuotes_WomenVSMen", true};
inline constexpr BoolKey showQuotesPeace{"showQuotes_Peace", true};
inline constexpr BoolKey showQuotesUserQuotes{"showQuotes_UserQuotes", false};
inline constexpr IntKey quoteDurationInSec{"quoteDurationInSec", 7};

// Clock
inline constexpr BoolKey showClock{"showClock", true};
inline constexpr BoolKey clockFormat24H{"clockFormat24H", false};
inline constexpr BoolKey clockShowSeconds{"clockShowSeconds", true};
inline constexpr BoolKey clockAutoColor{"clockAutoColor", true};
inline constexpr StringKey clockFontSize{"clockFontSize", "30"};  // pixels, kept as the text the sheet offers
inline constexpr StringKey clockSpeed{"clockSpeed", "1"};         // pixels per second, likewise
// 0xRRGGBBAA kept as the signed decimal of the 32-bit value: opaque mid grey.
inline constexpr IntKey clockColor{"clockColor", static_cast<std::int32_t>(0x808080FFu)};

// The real sky over the user's place instead of the random star field.
// The place is kept as the decimal degrees the user typed (north and east
// positive); empty means the place is taken from the time zone.
inline constexpr BoolKey realSky{"realSky", false};
inline constexpr StringKey skyLatitude{"skyLatitude", ""};
inline constexpr StringKey skyLongitude{"skyLongitude", ""};
inline constexpr BoolKey showConstellationLines{"showConstellationLines", true};
inline constexpr BoolKey showSkyNames{"showSkyNames", false};  // the planets, the brightest stars, the constellations
inline constexpr BoolKey realSkyAlwaysNight{"realSkyAlwaysNight", false};  // no day or twilight colours

// The clock's reading of its two text settings when they are not numbers.
inline constexpr int kClockFontSizeFallback = 30;
inline constexpr float kClockSpeedFallback = 1.0f;

// The speeds the sheet offers, as stored and as pixels per second; a stored
// text outside the list moves the clock at the fallback speed.
struct ClockSpeedChoice { const char* text; float pixelsPerSecond; };
inline constexpr ClockSpeedChoice kClockSpeedChoices[] = {
    {"0", 0.0f}, {"0.2", 0.2f}, {"0.5", 0.5f}, {"1", 1.0f},   {"2", 2.0f},    {"4", 4.0f},
    {"8", 8.0f}, {"15", 15.0f}, {"30", 30.0f}, {"60", 60.0f}, {"100", 100.0f},
};

}  // namespace settingKeys
