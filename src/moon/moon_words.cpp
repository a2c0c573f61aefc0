#include "moon/moon_words.h"

namespace {

constexpr const char* kKeyPrefix = "trn.";

template <std::size_t N>
void translateAll(std::array<std::string, N>& words, const std::array<const char*, N>& english,
                  const keslTranslator& translate) {
    for (std::size_t i = 0; i < N; ++i) words[i] = translate(kKeyPrefix + std::string(english[i]), english[i]);
}

}  // namespace

keslMoonWords moonWordsIn(const keslTranslator& translate) {
    auto text = [&](const char* english) { return translate(kKeyPrefix + std::string(english), english); };
    keslMoonWords w;
    translateAll(w.phaseNames,
                 {"Full Moon", "Last Quarter", "New Moon", "First Quarter", "Waning Gibbous Moon", "Waning Crescent Moon",
                  "Waxing Crescent Moon", "Waxing Gibbous Moon"},
                 translate);
    translateAll(w.folkNames,
                 {"Wolf Moon", "Snow Moon", "Worm Moon", "Pink Moon", "Flower Moon", "Strawberry Moon", "Buck Moon",
                  "Sturgeon Moon", "Harvest Moon", "Hunter's Moon", "Beaver Moon", "Cold Moon"},
                 translate);
    translateAll(w.months,
                 {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
                  "November", "December"},
                 translate);
    w.dateAndTime = translate("trn.Date and time", "{month} {day2}, {hour}:{minute}");
    w.fullMoonNow = text("Full moon now!");
    w.fullMoonNextHour = text("Full moon on the next hour!");
    w.fullMoonInHours = text("Full moon in {hours} hours");
    w.fullMoonHourAgo = text("Full moon was one hour ago");
    w.fullMoonHoursAgo = text("Full moon was {hours} hours ago");
    w.newMoonHourAgo = text("New moon was one hour ago");
    w.newMoonHoursAgo = text("New moon was {hours} hours ago");
    w.fullMoonTonight = text("Full moon tonight: \"{name}\"");
    w.fullMoonTomorrow = text("Full moon tomorrow: \"{name}\"");
    w.newMoonTonight = text("New moon tonight");
    w.newMoonTomorrow = text("New moon tomorrow");
    w.newMoonOn = text("New moon on {date}");
    w.fullMoonOn = text("Full moon on {date}");
    w.nextFullMoonOn = text("Next full moon on {date}");
    w.nextNewMoonOn = text("Next new moon on {date}");
    w.phaseDegrees = text("Phase (degrees):{degrees}");
    w.phasePercent = text("Phase (percent):{percent}");
    return w;
}

const keslMoonWords& englishMoonWords() {
    static const keslMoonWords words = moonWordsIn([](const std::string&, const std::string& english) { return english; });
    return words;
}
