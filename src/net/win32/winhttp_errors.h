// Readable texts for WinHTTP's error codes, for the log.
#pragma once

#include <windows.h>

#include <string>

std::string getWindowsErrorText(DWORD code);
// Logs "<call>() failed.\nWindows error code <code>" and the description.
void logWinHttpFailure(const char* call, DWORD code);
