// Latitude and longitude as people write them, read by one rule wherever a
// place comes in: the Sky page, the settings file and the command line. A
// value is an optional sign and decimal digits with at most one separator;
// nothing a C library would also take (exponents, hex, "nan", "inf"), so a
// place never depends on which reader happened to look at it.
#pragma once

#include <string>

inline constexpr double kMaxLatitudeDegrees = 90.0;
inline constexpr double kMaxLongitudeDegrees = 180.0;

// What may separate the whole degrees from the fraction. Where a comma
// already separates latitude from longitude, only the point can.
enum class keslDecimalMark { point, pointOrComma };

// Surrounding blanks are fine. False for anything else, or outside -90..90
// (latitude) and -180..180 (longitude); degrees is left alone then.
bool parseLatitude(const std::string& text, keslDecimalMark mark, double& degrees);
bool parseLongitude(const std::string& text, keslDecimalMark mark, double& degrees);

// How an accepted value is kept: no blanks, no "+", a decimal point.
std::string keptCoordinate(const std::string& text);
