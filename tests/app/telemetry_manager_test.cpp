#include "app/telemetry_manager.h"

#include "telemetry/telemetry.h"

#include "support/fake_system.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingRequestClient : public keslHttpRequestClient {
public:
    explicit RecordingRequestClient(std::vector<std::string>& bodies) : m_bodies(bodies) {}
    int httpPostAsync(const std::string& body) override {
        m_bodies.push_back(body);
        return 200;
    }

private:
    std::vector<std::string>& m_bodies;
};

// The sheet's reports of one session with the given consent, as the collector would receive them.
std::vector<std::string> bodiesOfASheetSession(bool consent) {
    FakeSystem system;
    LogCapture log;
    TempFolder moduleFolder;
    writeFile(moduleFolder.file("Orvanel.telemetry"), "trackingID=3\r\nMatomoUrl=http://127.0.0.1:9/m.php\r\nExtraInfo=0\r\n");
    std::vector<std::string> bodies;
    keslHitLimiter limiter;
    cTrackerEnvironment environment;
    environment.requestClientFactory = [&bodies](std::shared_ptr<keslRequestState>) {
        return std::make_unique<RecordingRequestClient>(bodies);
    };
    environment.limiter = &limiter;
    Cindralux::setTrackerEnvironment(environment);
    {
        cTelemetryManager telemetry;
        telemetry.start(consent, "Orvanel screensaver", "5.9.4", moduleFolder.path(), "EN");
        cSheetTelemetryServices sheet(telemetry);
        sheet.screenView("Settings / Telemetry");
        sheet.event("Telemetry consent OFF", "Telemetry OFF");
        telemetry.trackRun();
    }
    Cindralux::setTrackerEnvironment({});
    EXPECT_EQ(Cindralux::tracker(), nullptr);
    return bodies;
}

}  // namespace

TEST(TelemetryManager, SendsTheSheetsPagesConsentClicksAndTheRunOnlyWithConsent) {
    const std::vector<std::string> bodies = bodiesOfASheetSession(true);
    ASSERT_EQ(bodies.size(), 3u);
    EXPECT_NE(bodies[0].find("cd=Settings%20%2F%20Telemetry"), std::string::npos) << bodies[0];
    EXPECT_NE(bodies[1].find("e_a=Telemetry%20consent%20OFF&e_c=Orvanel%20screensaver%20events&e_l=Telemetry%20OFF&e_v=0"),
              std::string::npos)
        << bodies[1];
    EXPECT_NE(bodies[2].find("cd=screensaver%20run"), std::string::npos) << bodies[2];

    EXPECT_TRUE(bodiesOfASheetSession(false).empty());
}
