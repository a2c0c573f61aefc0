// How fast the frames really came, for the one line a user who reports a
// slow sky can send: frames drawn, seconds, average and slowest frame. The
// work of a frame may come in pieces (on Windows the tick and the paint are
// separate messages); each piece is timed and the frame ends when it is shown.
#pragma once

#include <string>

class orvanelFrameTimes {
public:
    // Brackets one piece of a frame's work (update, draw, present).
    void workStarted();
    void workEnded();
    // The frame is on screen: its pieces make one frame.
    void frameShown();

    int frames() const { return m_frames; }
    // "Frames: 1500 in 60.0 s, average 3.2 ms, slowest 9.8 ms": the seconds
    // from the start of the first frame to the end of the last.
    std::string summary() const;
    void logSummary() const;

private:
    int m_frames = 0;
    bool m_started = false;
    double m_firstStart = 0.0;
    double m_lastEnd = 0.0;
    double m_pieceStart = 0.0;
    double m_frameSeconds = 0.0;
    double m_totalSeconds = 0.0;
    double m_slowestSeconds = 0.0;
};
