// The sentences of the moon-info label: a notice when a full or new moon
// falls tonight or tomorrow (with the full moon's traditional name and the
// hours to or since it), the phase name, the phase in degrees and percent,
// and the dates of the next full and new moons, in the words given.
#pragma once

#include "moon/moon_info.h"
#include "moon/moon_words.h"
#include "moon/text_rotator.h"

#include <cstdint>
#include <string>

// "January" .. "December" for 0-11; an error text for anything else.
std::string monthName(int month, const keslMoonWords& words = englishMoonWords());
// Local date and time of t in the words' format: "March 07, 09:05", "7. März, 09:05".
std::string intToMonth(std::int64_t t, const keslMoonWords& words = englishMoonWords());
// Traditional name of the full moon of a local month 0-11.
std::string folkMoonName(int month, const keslMoonWords& words = englishMoonWords());
// "Full Moon", "Last Quarter", "Waning Crescent Moon", ... for a phase angle.
std::string moonPhaseName(int degrees, const keslMoonWords& words = englishMoonWords());

// The moon group of the settings, each on unless the user turned it off.
struct sMoonTextOptions {
    bool showMoonPhaseName = true;
    bool showNotableDates = true;
    bool showMoonPhasePercentAndDegrees = true;
    keslMoonWords words = englishMoonWords();
};

// What the moon-info label shows, filled once when the label is set up.
struct sMoonInfoLines {
    cTextRotator nextDatesLines;
    cTextRotator phaseLines;
    cTextRotator notableLines;
    std::string phaseNameText;
};

void fillFromMoonInfo(sMoonInfoLines& lines, const cMoonInfo& moonInfo, const sMoonTextOptions& options);
