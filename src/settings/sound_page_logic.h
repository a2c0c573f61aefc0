// The Sounds page lets the user hear a choice before keeping it: a click on
// a sound plays it once from the start, and checking the hourly box plays
// the cuckoo. Silence and unchecking only stop what plays.
#pragma once

void previewSoundChoice(int choiceValue);
void previewHourlyChime(bool checked);
