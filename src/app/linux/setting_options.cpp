#include "app/linux/setting_options.h"

#include "app/linux/moment_and_place.h"
#include "settings/coordinates.h"
#include "settings/setting_keys.h"
#include "settings/sound_table.h"
#include "util/log.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace k = settingKeys;

namespace {

using Overrides = std::vector<orvanelSettingOverride>;
using Words = std::vector<std::pair<const char*, int>>;

// The key the message options stand for until applied, where the store's own
// messages are known.
constexpr const char* kBottomLineForAll = "bottomline*";
constexpr int kLongestQuoteSeconds = 600;

bool choose(const Words& words, const std::string& value, int& out) {
    for (const auto& word : words) {
        if (value == word.first) {
            out = word.second;
            return true;
        }
    }
    return false;
}

bool wholeNumber(const std::string& value, int low, int high, int& out) {
    if (value.empty() || value.size() > 6) return false;
    for (char c : value) {
        if (c < '0' || c > '9') return false;
    }
    out = std::atoi(value.c_str());
    return out >= low && out <= high;
}

void add(Overrides& out, const char* key, const std::string& value) { out.push_back({key, value}); }
const char* yesNo(bool on) { return on ? "yes" : "no"; }

// "\n" typed on a command line starts a new line, as the message editor's Ctrl+Enter does.
std::string withLineBreaks(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            result += "\r\n";
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

const Words kBackgrounds{{"black", 0}, {"dark-blue", 1}, {"gradient", 2}, {"stars", 3}};
const Words kMoonSizes{{"none", 0}, {"small", 100}, {"medium", 200}, {"large", 300}};
const Words kSounds{{"silence", 0}, {"sleeping", 1}, {"reminder", 2}, {"lullaby", 3},
                    {"ocean", 4},   {"birds", 5},    {"blue", 6}};
const char* const kQuoteCategories[] = {k::showQuotesLove.name,   k::showQuotesWisdom.name,
                                        k::showQuotesAdvice.name, k::showQuotesFunny.name,
                                        k::showQuotesWomenVsMen.name, k::showQuotesPeace.name};

template <const k::BoolKey& key, bool on>
bool setSwitch(const std::string&, Overrides& out) {
    add(out, key.name, yesNo(on));
    return true;
}

template <bool on>
bool quotesSwitch(const std::string&, Overrides& out) {
    for (const char* key : kQuoteCategories) add(out, key, yesNo(on));
    return true;
}

template <bool on>
bool startupEffectSwitch(const std::string&, Overrides& out) {
    add(out, k::startupEffect.name, on ? "1" : "0");
    return true;
}

bool background(const std::string& value, Overrides& out) {
    int choice = 0;
    if (!choose(kBackgrounds, value, choice)) return false;
    add(out, k::background.name, std::to_string(choice));
    return true;
}

bool moon(const std::string& value, Overrides& out) {
    int size = 0;
    if (!choose(kMoonSizes, value, size)) return false;
    add(out, k::showMoon.name, yesNo(size > 0));
    if (size > 0) add(out, k::moonSize.name, std::to_string(size));
    return true;
}

bool message(const std::string& value, Overrides& out) {
    if (value.empty()) return false;
    add(out, k::messagesCount.name, "1");
    add(out, "message1", withLineBreaks(value));
    return true;
}

bool bottomLine(const std::string& value, Overrides& out) {
    add(out, kBottomLineForAll, value);
    return true;
}

bool quoteSeconds(const std::string& value, Overrides& out) {
    int seconds = 0;
    if (!wholeNumber(value, 1, kLongestQuoteSeconds, seconds)) return false;
    add(out, k::quoteDurationInSec.name, std::to_string(seconds));
    return true;
}

bool sound(const std::string& value, Overrides& out) {
    int choice = 0;
    if (!choose(kSounds, value, choice)) return false;
    add(out, k::selectedSound.name, std::to_string(choice));
    return true;
}

// LAT,LON in decimal degrees; a decimal comma would make the pair ambiguous.
bool place(const std::string& value, Overrides& out) {
    sPlace checked;
    if (!parsePlace(value, checked)) return false;
    const size_t comma = value.find(',');
    add(out, k::skyLatitude.name, keptCoordinate(value.substr(0, comma)));
    add(out, k::skyLongitude.name, keptCoordinate(value.substr(comma + 1)));
    return true;
}

const std::vector<orvanelSettingOption> kOptions{
    {"background", "black|dark-blue|gradient|stars", "the sky's background", background},
    {"moon", "none|small|medium|large", "the moon and its size", moon},
    {"message", "TEXT", "write this message in stars (\\n starts a new line)", message},
    {"bottom-line", "TEXT", "the text scrolling under the message", bottomLine},
    {"quotes", nullptr, "show quotes", quotesSwitch<true>},
    {"no-quotes", nullptr, "show no quotes", quotesSwitch<false>},
    {"quote-seconds", "S", "how long a quote stays, 1 to 600 seconds", quoteSeconds},
    {"clock", nullptr, "show the clock", setSwitch<k::showClock, true>},
    {"no-clock", nullptr, "hide the clock", setSwitch<k::showClock, false>},
    {"clock-24h", nullptr, "the clock in 24-hour format", setSwitch<k::clockFormat24H, true>},
    {"clock-12h", nullptr, "the clock in 12-hour format", setSwitch<k::clockFormat24H, false>},
    {"clock-seconds", nullptr, "the clock shows seconds", setSwitch<k::clockShowSeconds, true>},
    {"no-clock-seconds", nullptr, "the clock hides seconds", setSwitch<k::clockShowSeconds, false>},
    {"startup-effect", nullptr, "open with an old TV switching off", startupEffectSwitch<true>},
    {"no-startup-effect", nullptr, "open without it", startupEffectSwitch<false>},
    {"sound", "silence|sleeping|reminder|lullaby|ocean|birds|blue", "the sound at the start", sound},
    {"loop-sound", nullptr, "repeat that sound", setSwitch<k::loopSound, true>},
    {"no-loop-sound", nullptr, "play it once", setSwitch<k::loopSound, false>},
    {"hourly-chime", nullptr, "a cuckoo (a rooster in the morning) every full hour", setSwitch<k::cuckooEveryHour, true>},
    {"no-hourly-chime", nullptr, "no chime", setSwitch<k::cuckooEveryHour, false>},
    {"real-sky", nullptr, "the real sky over your place instead of random stars", setSwitch<k::realSky, true>},
    {"no-real-sky", nullptr, "the classic random stars", setSwitch<k::realSky, false>},
    {"place", "LAT,LON", "your place in degrees, north and east positive (-90..90,-180..180);\n"
                         "                    without it the time zone tells", place,
     "LAT,LON in decimal degrees, the latitude from -90 to 90 and the longitude from -180 to 180 (such as 52.5,13.4)"},
    {"constellation-lines", nullptr, "faint lines between the stars of each constellation",
     setSwitch<k::showConstellationLines, true>},
    {"no-constellation-lines", nullptr, "no such lines", setSwitch<k::showConstellationLines, false>},
    {"sky-names", nullptr, "name the planets, the brightest stars and the constellations", setSwitch<k::showSkyNames, true>},
    {"no-sky-names", nullptr, "no names", setSwitch<k::showSkyNames, false>},
    {"always-night", nullptr, "the night sky at any hour, without day or twilight", setSwitch<k::realSkyAlwaysNight, true>},
    {"no-always-night", nullptr, "the sky as light as it is now", setSwitch<k::realSkyAlwaysNight, false>},
};

}  // namespace

const std::vector<orvanelSettingOption>& settingOptions() { return kOptions; }

const orvanelSettingOption* findSettingOption(const std::string& name) {
    for (const orvanelSettingOption& option : kOptions) {
        if (name == option.name) return &option;
    }
    return nullptr;
}

std::string settingOptionsUsage() {
    std::string text = "Settings for this run (the settings file stays as it is):\n";
    for (const orvanelSettingOption& option : kOptions) {
        std::string head = std::string("  --") + option.name;
        if (option.valueHint) head += std::string(" ") + option.valueHint;
        if (head.size() < 20) {
            head.resize(20, ' ');
        } else {
            head += "\n" + std::string(20, ' ');
        }
        text += head + option.help + "\n";
    }
    return text;
}

namespace {

void overrideAndLog(keslKeyValue& store, const std::string& key, const std::string& value) {
    store.overrideForThisRun(key, value);
    logInfo("Setting for this run: %s=%s", key.c_str(), value.c_str());
}

}  // namespace

void applySettingOverrides(const std::vector<orvanelSettingOverride>& overrides, keslKeyValue& store) {
    for (const orvanelSettingOverride& o : overrides) {
        if (o.key != kBottomLineForAll) overrideAndLog(store, o.key, o.value);
    }
    // After the message, so the bottom line goes with the messages of this run.
    for (const orvanelSettingOverride& o : overrides) {
        if (o.key != kBottomLineForAll) continue;
        const int count = store.getInt(k::messagesCount.name, k::messagesCount.defaultValue);
        for (int index = 1; index <= count; ++index) {
            overrideAndLog(store, k::bottomLinePrefix.name + std::to_string(index), o.value);
        }
    }
}
