#include "app/monitor_id.h"

int monitorIdFor(const std::vector<std::string>& tokens, bool hostRunsPreview) {
    if (hostRunsPreview) return kPreviewMonitorId;
    if (tokens.size() >= 2 && tokens[1] == "/p") return kPreviewMonitorId;
    return kFullScreenMonitorId;
}
