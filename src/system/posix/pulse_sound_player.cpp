#include "system/posix/pulse_sound_player.h"

#include "system/resource_table.h"
#include "system/system_services.h"
#include "system/wave_format.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <memory>

namespace {

// Small enough that a stop or a new sound is heard within a fifth of a
// second; large enough that a busy machine does not starve the stream.
constexpr double kServerBufferSeconds = 0.2;
constexpr double kWriteChunkSeconds = 0.05;

struct SimpleStreamCloser {
    void operator()(pa_simple* stream) const { pa_simple_free(stream); }
};
using SimpleStream = std::unique_ptr<pa_simple, SimpleStreamCloser>;

pa_sample_spec sampleSpecOf(const keslWaveSound& sound) {
    pa_sample_spec spec{};
    spec.format = sound.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    spec.rate = static_cast<uint32_t>(sound.sampleRate);
    spec.channels = static_cast<uint8_t>(sound.channels);
    return spec;
}

size_t bytesFor(const keslWaveSound& sound, double seconds) {
    const size_t frames = static_cast<size_t>(seconds * sound.sampleRate);
    return std::max<size_t>(1, frames) * sound.frameBytes();
}

}  // namespace

keslPulseSoundPlayer::~keslPulseSoundPlayer() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void keslPulseSoundPlayer::play(int waveResource, bool loop) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_request = {waveResource, loop, m_request.serial + 1};
        if (!m_thread.joinable()) m_thread = std::thread(&keslPulseSoundPlayer::run, this);
    }
    m_wake.notify_all();
}

void keslPulseSoundPlayer::stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Nothing has ever played: no thread to start just for silence.
        if (!m_thread.joinable()) return;
        m_request = {0, false, m_request.serial + 1};
    }
    m_wake.notify_all();
}

bool keslPulseSoundPlayer::replaced(unsigned serial) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_quit || m_request.serial != serial;
}

void keslPulseSoundPlayer::run() {
    unsigned handled = 0;
    for (;;) {
        Request next;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [&] { return m_quit || m_request.serial != handled; });
            if (m_quit) return;
            next = m_request;
        }
        handled = next.serial;
        if (next.waveResource != 0) playUntilReplaced(next);
    }
}

void keslPulseSoundPlayer::playUntilReplaced(const Request& request) {
    const keslResourceBytes bytes = keslFindResource(keslResourceKind::sound, request.waveResource);
    keslWaveSound sound;
    std::string problem;
    if (!bytes) {
        keslSystemNotice("#7311: no sound resource " + std::to_string(request.waveResource));
        return;
    }
    if (!parseWave(bytes.data, bytes.size, sound, problem)) {
        keslSystemNotice("#7312: sound resource " + std::to_string(request.waveResource) + " unusable: " + problem);
        return;
    }

    const pa_sample_spec spec = sampleSpecOf(sound);
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<uint32_t>(-1);
    buffer.tlength = static_cast<uint32_t>(bytesFor(sound, kServerBufferSeconds));
    buffer.prebuf = static_cast<uint32_t>(-1);
    buffer.minreq = static_cast<uint32_t>(-1);
    buffer.fragsize = static_cast<uint32_t>(-1);
    int error = 0;
    SimpleStream stream(pa_simple_new(nullptr, "Orvanel", PA_STREAM_PLAYBACK, nullptr, "Night sky sound", &spec,
                                      nullptr, &buffer, &error));
    if (!stream) {
        if (!m_serverMissingReported) {
            keslSystemNotice(std::string("#7313: no sound server to play to (") + pa_strerror(error) +
                             "): the sky stays silent");
            m_serverMissingReported = true;
        }
        return;
    }

    const size_t chunk = bytesFor(sound, kWriteChunkSeconds);
    size_t position = 0;
    while (!replaced(request.serial)) {
        if (position >= sound.sampleBytes) {
            if (!request.loop) {
                pa_simple_drain(stream.get(), &error);
                return;
            }
            position = 0;
        }
        const size_t length = std::min(chunk, sound.sampleBytes - position);
        if (pa_simple_write(stream.get(), sound.samples + position, length, &error) < 0) {
            keslSystemNotice(std::string("#7314: the sound server stopped taking sound (") + pa_strerror(error) + ")");
            return;
        }
        position += length;
    }
    // Replaced: what the server still holds must not be heard after a stop.
    pa_simple_flush(stream.get(), &error);
}
