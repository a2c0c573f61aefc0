#include "system/wave_format.h"

namespace {

constexpr uint16_t kPcmFormat = 1;
constexpr uint32_t kMinimumRate = 8000;
constexpr uint32_t kMaximumRate = 96000;
constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kFormatBytes = 16;

uint16_t read16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t read32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

bool tagIs(const unsigned char* p, const char* tag) {
    return p[0] == tag[0] && p[1] == tag[1] && p[2] == tag[2] && p[3] == tag[3];
}

bool refuse(keslWaveSound& out, std::string& problem, const char* why) {
    out = keslWaveSound{};
    problem = why;
    return false;
}

}  // namespace

double keslWaveSound::seconds() const {
    const size_t frame = frameBytes();
    return (frame == 0 || sampleRate <= 0) ? 0.0 : static_cast<double>(sampleBytes / frame) / sampleRate;
}

bool parseWave(const unsigned char* data, size_t size, keslWaveSound& out, std::string& problem) {
    out = keslWaveSound{};
    if (!data || size < 12 || !tagIs(data, "RIFF") || !tagIs(data + 8, "WAVE")) {
        return refuse(out, problem, "not a RIFF WAVE file");
    }
    bool haveFormat = false;
    size_t offset = 12;
    // Chunks are walked with sizes checked against what is left, so a lying
    // size can never lead outside the bytes.
    while (size - offset >= kChunkHeaderBytes) {
        const unsigned char* chunk = data + offset;
        const size_t chunkSize = read32(chunk + 4);
        const size_t available = size - offset - kChunkHeaderBytes;
        const unsigned char* body = chunk + kChunkHeaderBytes;
        if (tagIs(chunk, "fmt ")) {
            if (chunkSize < kFormatBytes || chunkSize > available) return refuse(out, problem, "format chunk cut short");
            if (read16(body) != kPcmFormat) return refuse(out, problem, "not integer PCM");
            out.channels = read16(body + 2);
            const uint32_t rate = read32(body + 4);
            out.bitsPerSample = read16(body + 14);
            if (out.channels < 1 || out.channels > 2) return refuse(out, problem, "neither mono nor stereo");
            if (out.bitsPerSample != 8 && out.bitsPerSample != 16) return refuse(out, problem, "neither 8 nor 16 bits");
            if (rate < kMinimumRate || rate > kMaximumRate) return refuse(out, problem, "sample rate out of range");
            out.sampleRate = static_cast<int>(rate);
            haveFormat = true;
        } else if (tagIs(chunk, "data")) {
            if (!haveFormat) return refuse(out, problem, "samples before their format");
            // A file cut short still plays what it holds, in whole frames.
            const size_t bytes = chunkSize < available ? chunkSize : available;
            const size_t wholeFrames = bytes - bytes % out.frameBytes();
            if (wholeFrames == 0) break;
            out.samples = body;
            out.sampleBytes = wholeFrames;
            return true;
        }
        if (chunkSize > available) break;
        offset += kChunkHeaderBytes + chunkSize + (chunkSize & 1);  // chunks are padded to even sizes
        if (offset > size) break;
    }
    return refuse(out, problem, haveFormat ? "no samples" : "no format chunk");
}
