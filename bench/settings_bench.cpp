// What one settings change costs: every effective setter writes the whole
// file to a temporary, flushes it to the disk and renames it, so this bounds
// how long the configuration sheet's OK (a few dozen setters) takes.
#include "settings/settings.h"
#include "system/system_services.h"
#include "util/file_system.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kTypicalKeyCount = 60;

void fillTypically(keslKeyValue& store) {
    for (int i = 0; i < kTypicalKeyCount; ++i) {
        store.setString(("key" + std::to_string(i)).c_str(), "a typical value of some length " + std::to_string(i));
    }
}

void BM_SettingsEffectiveChange(benchmark::State& state) {
    const std::string path = keslFileSystemMini::joinPath(keslSystemServices().tempFolder(), "orvanel-bench.ini");
    std::remove(path.c_str());
    {
        keslSettings store(path.c_str());
        fillTypically(store);
        int counter = 0;
        for (auto _ : state) store.setInt("counter", ++counter);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SettingsEffectiveChange)->Unit(benchmark::kMicrosecond);

void BM_SettingsParseTypicalFile(benchmark::State& state) {
    keslKeyValue store;
    fillTypically(store);
    const std::string text = formatSettingsText(store.entries());
    for (auto _ : state) benchmark::DoNotOptimize(parseSettingsText(text));
}
BENCHMARK(BM_SettingsParseTypicalFile)->Unit(benchmark::kMicrosecond);

}  // namespace
