// Which kind of window the application serves: -1 for the preview inside the
// display settings, 0 for the full-screen run.
#pragma once

#include <string>
#include <vector>

constexpr int kPreviewMonitorId = -1;
constexpr int kFullScreenMonitorId = 0;

// From the process's command line tokens: "/p" as the first argument means a
// preview. A host that already knows it runs a preview says so, because a
// program path with blanks shifts the tokens and a glued "/p:123" is one token.
int monitorIdFor(const std::vector<std::string>& tokens, bool hostRunsPreview);
