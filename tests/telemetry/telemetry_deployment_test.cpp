#include "telemetry/telemetry_deployment.h"

#include "support/log_capture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

TEST(TelemetryDeployment, TheFileBesideTheModuleOverridesOnlyDeploymentKeys) {
    LogCapture log;
    TempFolder folder;
    writeFile(folder.file("Orvanel.telemetry"),
              "trackingID=4\r\nMatomoUrl=http://127.0.0.1:8099/matomo.php\r\nappName=Other\r\nsessionHitBudget=7\r\n");
    const cTrackerOptions options = telemetryDeploymentOptions(folder.path());
    EXPECT_EQ(options.at("trackingID"), "4");
    EXPECT_EQ(options.at("MatomoUrl"), "http://127.0.0.1:8099/matomo.php");
    EXPECT_EQ(options.at("sessionHitBudget"), "7");
    EXPECT_EQ(options.count("appName"), 0u);
    EXPECT_TRUE(log.contains("unknown key [appName]"));
}

TEST(TelemetryDeployment, AnOversizedFileIsIgnored) {
    LogCapture log;
    TempFolder folder;
    writeFile(folder.file("Orvanel.telemetry"), "trackingID=4\r\n" + std::string(100000, 'x'));
    EXPECT_EQ(telemetryDeploymentOptions(folder.path()), builtInTelemetryOptions());
    EXPECT_TRUE(log.contains("is too large"));
}
