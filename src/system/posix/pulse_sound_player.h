// Plays the program's sound resources through a PulseAudio server (PipeWire
// serves the same protocol) on a thread of its own, so that connecting to the
// server and feeding it samples never holds up a frame. Each request replaces
// the one before; a missing server costs one notice for the log and leaves
// the sky silent.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

class keslPulseSoundPlayer {
public:
    keslPulseSoundPlayer() = default;
    // Silences the sound and waits for the thread.
    ~keslPulseSoundPlayer();
    keslPulseSoundPlayer(const keslPulseSoundPlayer&) = delete;
    keslPulseSoundPlayer& operator=(const keslPulseSoundPlayer&) = delete;

    void play(int waveResource, bool loop);
    void stop();

private:
    struct Request {
        int waveResource = 0;  // 0: silence
        bool loop = false;
        unsigned serial = 0;
    };

    void run();
    // Plays one request until it ends or a newer request (or the end) arrives.
    void playUntilReplaced(const Request& request);
    bool replaced(unsigned serial);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    Request m_request;
    bool m_quit = false;
    bool m_serverMissingReported = false;
    std::thread m_thread;
};
