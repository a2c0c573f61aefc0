// What the Linux hosts share about the loop of a run: why it ended, said the
// same way in every host's log, and when its next frame is due.
#pragma once

enum class orvanelRunEnd {
    running,
    closedByUser,
    closedByApp,
    screensChanged,
    windowGone,
    closedByCompositor,
    connectionLost,
    signalled,
};

const char* describeRunEnd(orvanelRunEnd end);
// Logs "<host> run ended: <why>".
void logRunEnd(const char* host, orvanelRunEnd end);

// One frame step after the last frame was due. A host that fell more than a
// step behind does not catch up with a burst of frames: the animation slows
// instead, and frames are due from now on.
double nextFrameDue(double lastDue, double now);
