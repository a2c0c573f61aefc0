// What a hit says about who sends it, without saying who that is: an
// anonymous client id (a hash, never the names themselves), the user agent
// and the screens' sizes.
#pragma once

#include "system/rect.h"

#include <cstdint>
#include <string>
#include <vector>

// What a collector takes as a client id: Google Analytics any text, Matomo
// only 16 hex digits (it ignores anything else and counts a fingerprint).
enum class eClientIdForm { decimal, hex16 };

std::uint32_t fnv1a32(const std::string& text);
std::uint64_t fnv1a64(const std::string& text);
// The hash of the computer name followed by the user name: the 32-bit hash
// in decimal, or the 64-bit one as 16 lower-case hex digits.
std::string anonymousClientId(const std::string& computerName, const std::string& userName,
                              eClientIdForm form = eClientIdForm::decimal);
// The same for this computer and user as the system services name them;
// empty when they name neither (the hash of nothing would be one id shared
// by every such computer).
std::string currentClientId(eClientIdForm form = eClientIdForm::decimal);
// A client id for this run only, in the given form.
std::string runClientId(eClientIdForm form);
// "Orvanel/5.9.4 (Windows NT 10.0; Win64; x64)".
std::string userAgentFor(const std::string& appName, const std::string& appVersion, const std::string& osVersion);
// "1920x1080, 1280x1024": every monitor's size, in the system's order.
std::string screenResolutionText(const std::vector<keslRect<int>>& monitors);
