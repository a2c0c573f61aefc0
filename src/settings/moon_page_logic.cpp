#include "settings/moon_page_logic.h"

namespace {
constexpr int kSmallMoon = 100;
constexpr int kMediumMoon = 200;
constexpr int kLargeMoon = 300;
}  // namespace

keslMoonChoice moonChoiceOf(const cMoonSettings& moon) {
    if (!moon.showMoon.get()) return keslMoonChoice::none;
    switch (moon.moonSize.get()) {
        case kSmallMoon: return keslMoonChoice::small;
        case kLargeMoon: return keslMoonChoice::large;
        default: return keslMoonChoice::medium;
    }
}

void storeMoonChoice(cMoonSettings& moon, keslMoonChoice choice) {
    moon.showMoon.set(choice != keslMoonChoice::none);
    switch (choice) {
        case keslMoonChoice::small: moon.moonSize.set(kSmallMoon); break;
        case keslMoonChoice::medium: moon.moonSize.set(kMediumMoon); break;
        case keslMoonChoice::large: moon.moonSize.set(kLargeMoon); break;
        case keslMoonChoice::none: break;
    }
}
