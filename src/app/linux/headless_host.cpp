#include "app/linux/headless_host.h"

#include "app/linux/linux_run.h"
#include "app/linux/stop_signals.h"
#include "platform/raster/png_writer.h"
#include "system/system_layer.h"
#include "util/log.h"
#include "util/log_guards.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <system_error>

namespace stdfs = std::filesystem;

namespace {

// Frames of an earlier, longer run would mix with this run's; only files
// named exactly as this host names them are removed.
void removeEarlierFrames(const stdfs::path& folder) {
    static const std::regex framePattern("frame-[0-9]{5,}\\.png");
    std::error_code error;
    for (const stdfs::directory_entry& entry : stdfs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error)) continue;
        if (!std::regex_match(entry.path().filename().string(), framePattern)) continue;
        stdfs::remove(entry.path(), error);
    }
}

bool prepareOutFolder(const std::string& folder, std::string& errorText) {
    std::error_code error;
    stdfs::create_directories(folder, error);
    if (!stdfs::is_directory(folder, error)) {
        errorText = "cannot make the output folder \"" + folder + "\"";
        return false;
    }
    removeEarlierFrames(folder);
    return true;
}

bool isFrameKept(int frameNumber, int everyNthFrame) { return (frameNumber - 1) % everyNthFrame == 0; }

}  // namespace

std::string headlessFrameName(int frameNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05d.png", frameNumber);
    return name;
}

int headlessFrameCount(double seconds) {
    const double frames = std::round(seconds / static_cast<double>(frameStep));
    return frames < 1.0 ? 1 : static_cast<int>(frames);
}

namespace {

// Frames rendered for files are not a night in front of the screen: a chime
// or a start-up sound from a render job would startle whoever sits nearby.
class SilentSystem final : public keslSystemLayer {
public:
    void playSound(int, bool) override {}
    void stopSound() override {}
};

}  // namespace

orvanelHeadlessResult runHeadless(const orvanelLinuxOptions& options) {
    logFunctionLife life("runHeadless()");
    orvanelHeadlessResult result;
    if (!prepareOutFolder(options.outFolder, result.error)) {
        logError("%s", result.error.c_str());
        result.exitCode = kExitCannotRun;
        return result;
    }
    const int frames = headlessFrameCount(options.seconds);
    logInfo("Headless run: %ix%i, %i frames, every %i into %s", options.width, options.height, frames,
            options.everyNthFrame, options.outFolder.c_str());

    // The frame files are written from the back buffer as flushed: no copy of the frame is kept.
    auto window = std::make_unique<keslWindow>(options.width, options.height);
    window->setPresenter([](const keslPixelSurface&) {});
    const SilentSystem silent;
    orvanelLinuxRun run(std::move(window));
    run.showDirty(options.showDirty);
    for (int frame = 1; frame <= frames && !stopRequested() && !run.closeRequested(); ++frame) {
        run.runFrame();
        result.framesRun = frame;
        if (!isFrameKept(frame, options.everyNthFrame)) continue;
        const std::string file = (stdfs::path(options.outFolder) / headlessFrameName(frame)).string();
        if (!keslWritePng(run.shownFrame(), file)) {
            result.error = "cannot write the frame \"" + file + "\"";
            result.exitCode = kExitCannotRun;
            return result;
        }
        ++result.framesWritten;
    }
    if (stopRequested()) logInfo("Headless run stopped by a signal after %i frames", result.framesRun);
    return result;
}
