#include "telemetry/telemetry_deployment.h"

#include "support/log_capture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

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

TEST(TelemetryDeployment, AnOversizedFileIsRefusedByItsSizeWithoutBeingRead) {
    TempFolder folder;
    const std::string path = folder.file("Orvanel.telemetry");
    // Just over the limit, and 5 GiB (sparse: reading it would take all the memory there is).
    for (const std::uintmax_t size : {std::uintmax_t{64 * 1024 + 1}, std::uintmax_t{5} << 30}) {
        LogCapture log;
        writeFile(path, "trackingID=4\r\n");
        std::filesystem::resize_file(path, size);
        EXPECT_EQ(telemetryDeploymentOptions(folder.path()), builtInTelemetryOptions());
        EXPECT_TRUE(log.contains("is too large (" + std::to_string(size) + " bytes, at most 65536); it is not read"))
            << size;
    }
}
