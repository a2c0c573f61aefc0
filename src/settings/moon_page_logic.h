// The Moon page's one radio group stands for two settings: whether the moon
// shows, and its size class. Sizes other than the three classes (a hand-edited
// file) show as the middle one.
#pragma once

#include "settings/app_settings.h"

enum class keslMoonChoice { none, small, medium, large };

keslMoonChoice moonChoiceOf(const cMoonSettings& moon);
// "No moon" keeps the size, so turning the moon back on restores it.
void storeMoonChoice(cMoonSettings& moon, keslMoonChoice choice);
