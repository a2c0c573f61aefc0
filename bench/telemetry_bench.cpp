// What a statistics hit costs the frame that sends it: building the body
// from the session's fields, and handing it to the platform's HTTP client,
// which must return at once however slow the collector is.
#include "net/http_post_client.h"
#include "telemetry/analytics_payload.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void fillSession(cAnalyticsPayload& payload) {
    payload.resetToHeader();
    payload.setTrackingId("5");
    payload.setScreenResolution("1920x1080, 1280x1024");
    payload.setUserLanguage("EN");
    payload.setUserAgent("Orvanel screensaver/5.9.4 (Windows NT 10.0; Win64; x64)");
    payload.setClientId("4120069480");
    payload.setApplicationFields("Orvanel screensaver", "5.9.4", "Orvanel screensaver");
}

template <class Payload>
void BM_ScreenViewBody(benchmark::State& state) {
    Payload session;
    fillSession(session);
    for (auto _ : state) {
        Payload hit = session;
        hit.setScreenviewHit("screensaver run");
        benchmark::DoNotOptimize(hit.body());
    }
}
BENCHMARK_TEMPLATE(BM_ScreenViewBody, cAnalyticsPayloadGA);
BENCHMARK_TEMPLATE(BM_ScreenViewBody, cAnalyticsPayloadMatomo);

// A port nobody listens on: each request fails fast on its own thread, so
// the drain at the end of the benchmark is short.
void BM_PostStartsWithoutWaiting(benchmark::State& state) {
    keslHttpPostClient client("http://127.0.0.1:9/matomo.php", keslProxy{}, 3000);
    for (auto _ : state) benchmark::DoNotOptimize(client.post("rec=1&idsite=5"));
}
BENCHMARK(BM_PostStartsWithoutWaiting)->Iterations(200);

}  // namespace
