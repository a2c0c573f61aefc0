// SIGTERM (how XScreenSaver ends a hack) and SIGINT (Ctrl+C) only raise a
// flag; the frame loops look at it between frames and leave through the
// normal shutdown, so the log and settings close as after any other end.
#pragma once

// Installs the handlers without SA_RESTART, so a loop waiting in poll()
// wakes at once.
void installStopSignalHandlers();
bool stopRequested();
// What the handlers do; tests call it directly.
void requestStop();
// Clears the flag (tests, and a program that runs several loops).
void clearStopRequest();
