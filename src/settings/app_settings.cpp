#include "settings/app_settings.h"

#include "settings/settings.h"
#include "system/system_services.h"

#include <sstream>

namespace k = settingKeys;

namespace {

template <typename Number>
Number numberOrFallback(const std::string& text, Number fallback) {
    std::istringstream in(text);
    Number value{};
    in >> value;
    return in.fail() ? fallback : value;
}

}  // namespace

keslKeyValue& settingsGroups::defaultStore() { return applicationSettings(); }

cGeneralSettings::cGeneralSettings(keslKeyValue& store)
    : interfaceLang(store, k::interfaceLang),
      activeDialogTab(store, k::activeDialogTab),
      startupEffect(store, k::startupEffect),
      background(store, k::background),
      telemetryConsent(store, k::userGaveTelemetryConsent) {}

cMoonSettings::cMoonSettings(keslKeyValue& store)
    : moonSize(store, k::moonSize),
      showMoon(store, k::showMoon),
      fromSouthHemisphere(store, k::fromSouthHemisphere),
      showPhasePercentAndDegrees(store, k::showMoonPhasePercentAndDegrees),
      showPhaseName(store, k::showMoonPhaseName),
      showNotableDates(store, k::showNotableDates) {}

cHotCornerSettings::cHotCornerSettings(keslKeyValue& store)
    : topLeft(store, k::hotCornerTopLeft),
      topRight(store, k::hotCornerTopRight),
      bottomLeft(store, k::hotCornerBottomLeft),
      bottomRight(store, k::hotCornerBottomRight) {}

cPowerSettings::cPowerSettings(keslKeyValue& store)
    : preventSleepUntilUtcMinutes(store, k::preventSleepUntilUtcMinutes),
      preventSleepPermanently(store, k::preventSleepPermanently) {}

void cPowerSettings::storeKeepAwakeMinutes(int minutes) {
    if (minutes == kPermanentMinutes) {
        preventSleepPermanently.set(true);
        return;
    }
    preventSleepPermanently.set(false);
    const std::int64_t nowMinutes = static_cast<std::int64_t>(keslSystemServices().currentTime()) / 60;
    preventSleepUntilUtcMinutes.set(nowMinutes + minutes);
}

cSoundSettings::cSoundSettings(keslKeyValue& store)
    : selectedSound(store, k::selectedSound), loopSound(store, k::loopSound), cuckooEveryHour(store, k::cuckooEveryHour) {}

cQuoteSettings::cQuoteSettings(keslKeyValue& store)
    : love(store, k::showQuotesLove),
      wisdom(store, k::showQuotesWisdom),
      advice(store, k::showQuotesAdvice),
      funny(store, k::showQuotesFunny),
      womenVsMen(store, k::showQuotesWomenVsMen),
      peace(store, k::showQuotesPeace),
      userQuotes(store, k::showQuotesUserQuotes),
      durationInSec(store, k::quoteDurationInSec) {}

cClockSettings::cClockSettings(keslKeyValue& store)
    : showClock(store, k::showClock),
      format24H(store, k::clockFormat24H),
      showSeconds(store, k::clockShowSeconds),
      autoColor(store, k::clockAutoColor),
      fontSize(store, k::clockFontSize),
      speed(store, k::clockSpeed),
      color(store, k::clockColor) {}

int cClockSettings::fontSizePixels() const { return numberOrFallback(fontSize.get(), k::kClockFontSizeFallback); }

float cClockSettings::speedPixelsPerSecond() const {
    const std::string stored = speed.get();
    for (const k::ClockSpeedChoice& choice : k::kClockSpeedChoices) {
        if (stored == choice.text) return choice.pixelsPerSecond;
    }
    return k::kClockSpeedFallback;
}

cSkySettings::cSkySettings(keslKeyValue& store)
    : realSky(store, k::realSky),
      latitude(store, k::skyLatitude),
      longitude(store, k::skyLongitude),
      showConstellationLines(store, k::showConstellationLines),
      showNames(store, k::showSkyNames),
      alwaysNight(store, k::realSkyAlwaysNight) {}
