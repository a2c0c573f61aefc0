// The moment and the place a command line names, as text a person types
// after --at and --place. They are the command line's forms, kept beside the
// options that read them rather than in the astronomy they feed.
#pragma once

#include "astro/sky_frame.h"

#include <string>

// Parses "2026-03-20T21:30:00Z" (seconds and the Z optional, fractions of a
// second allowed, an explicit "+00:00" accepted); false for anything else,
// including impossible dates.
bool parseIsoUtc(const std::string& text, double& unixSeconds);
// Parses "52.5,13.4": the comma parts latitude from longitude, so each takes
// only a decimal point. False for anything else; place is left alone then.
bool parsePlace(const std::string& text, sPlace& place);
