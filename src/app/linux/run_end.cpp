#include "app/linux/run_end.h"

#include "app/screensaver.h"
#include "util/log.h"

const char* describeRunEnd(orvanelRunEnd end) {
    switch (end) {
        case orvanelRunEnd::closedByUser: return "closed by the user";
        case orvanelRunEnd::closedByApp: return "the screensaver asked to close";
        case orvanelRunEnd::screensChanged: return "the screens changed";
        case orvanelRunEnd::windowGone: return "the window is gone";
        case orvanelRunEnd::closedByCompositor: return "the compositor closed the sky";
        case orvanelRunEnd::connectionLost: return "the connection to the compositor is lost";
        case orvanelRunEnd::signalled: return "stopped by a signal";
        default: return "running";
    }
}

void logRunEnd(const char* host, orvanelRunEnd end) { logInfo("%s run ended: %s", host, describeRunEnd(end)); }

double nextFrameDue(double lastDue, double now) {
    const double step = static_cast<double>(frameStep);
    const double due = lastDue + step;
    return now > due + step ? now : due;
}
