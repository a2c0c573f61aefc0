// A fresh account may have no ~/.config yet. The settings store makes only
// its own folder inside the application-data folder, so the Linux program
// makes that folder first, as the XDG conventions ask of anyone writing there.
#pragma once

// True when the application-data folder exists afterwards; logs when it had
// to be made or could not be.
bool ensureAppDataFolder();
