// The language and country parts of a locale's name, in either system's
// spelling: POSIX "de_AT.UTF-8" or "sr_RS@latin", Windows "de-AT" or
// "sr-Latn-RS". The country is what picks a city when a time zone's name
// covers several; the language picks the interface's.
#pragma once

#include <string>

// The ISO 3166 alpha-2 territory ("AT"), upper case; empty when the name
// holds none ("C", "en", "es-419").
std::string territoryOfLocaleName(const std::string& locale);

// The ISO 639-1 language ("de"), lower case; empty when the name holds none
// ("C", "POSIX", a three-letter language such as "fil").
std::string languageOfLocaleName(const std::string& locale);

// "at" or "AT" -> "AT"; anything but two letters -> empty.
std::string isoCountryCode(const std::string& text);
