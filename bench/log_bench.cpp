// What one log line costs: each line opens, appends to and closes the file,
// so the figure bounds how chatty a frame may be.
#include "util/file_system.h"
#include "util/log.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

void BM_LogLineToFile(benchmark::State& state) {
    const std::string filename = keslFileSystemMini::joinPath("/tmp", "orvanel-bench.keslLog.txt");
    keslFileSystemMini::truncateFile(filename);
    keslLogFileWriterWithBuffer writer;
    keslLogManager manager(writer);
    writer.setFilename(filename);
    int counter = 0;
    for (auto _ : state) manager.info().addFormatted("frame %d drew %d stars", ++counter, 518);
    std::remove(filename.c_str());
}
BENCHMARK(BM_LogLineToFile);

void BM_JoinPath(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(keslFileSystemMini::joinPath("/home/user/.config/Orvanel software", "/Orvanel screensaver.ini"));
    }
}
BENCHMARK(BM_JoinPath);

}  // namespace
