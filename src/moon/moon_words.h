// The words of the moon label in the interface's language. The moon's floor
// cannot reach the translation files, so whoever builds the label asks a
// translator for each text once and passes the words down; without one the
// words are English. Sentences carry named blanks ("{hours}", "{date}") that
// the label fills, so each language orders its own sentence.
#pragma once

#include <array>
#include <functional>
#include <string>

// A text's translation: key ("trn.Full Moon") and the English text it stands for.
using keslTranslator = std::function<std::string(const std::string& key, const std::string& english)>;

struct keslMoonWords {
    // Full, last quarter, new, first quarter, then waning gibbous, waning
    // crescent, waxing crescent and waxing gibbous.
    std::array<std::string, 8> phaseNames;
    std::array<std::string, 12> folkNames;  // the full moons of January .. December
    std::array<std::string, 12> months;     // as a date shows them
    std::string dateAndTime;                // "{month} {day2}, {hour}:{minute}"
    std::string fullMoonNow, fullMoonNextHour, fullMoonInHours;
    std::string fullMoonHourAgo, fullMoonHoursAgo, newMoonHourAgo, newMoonHoursAgo;
    std::string fullMoonTonight, fullMoonTomorrow, newMoonTonight, newMoonTomorrow;
    std::string newMoonOn, fullMoonOn, nextFullMoonOn, nextNewMoonOn;
    std::string phaseDegrees, phasePercent;
};

// Every word, each asked of translate once.
keslMoonWords moonWordsIn(const keslTranslator& translate);
const keslMoonWords& englishMoonWords();
