#include "telemetry/analytics_payload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <regex>
#include <string>
#include <vector>

namespace {

// The random cache-buster differs on every hit; everything else is fixed.
std::string withoutRandom(const std::string& body) {
    return std::regex_replace(body, std::regex("(^|&)(z|rand)=[0-9]+"), "$1$2=R");
}

template <class Payload>
std::string bodyOf(const std::function<void(cAnalyticsPayload&)>& hit) {
    Payload payload;
    payload.resetToHeader();
    hit(payload);
    return withoutRandom(payload.body());
}

struct HitCase {
    const char* name;
    std::function<void(cAnalyticsPayload&)> hit;
    const char* googleBody;
    const char* matomoBody;
};

}  // namespace

TEST(AnalyticsPayload, HitBodiesOfBothProtocolsHaveTheirKeysInOrderAndEncoded) {
    const HitCase cases[] = {
        {"event", [](cAnalyticsPayload& p) { p.setEventHit("Orvanel events", "Telemetry consent ON", "Telemetry ON", 0); },
         "aip=1&ea=Telemetry%20consent%20ON&ec=Orvanel%20events&el=Telemetry%20ON&ev=0&t=event&v=1&z=R",
         "apiv=1&e_a=Telemetry%20consent%20ON&e_c=Orvanel%20events&e_l=Telemetry%20ON&e_v=0&rand=R&rec=1"},
        {"screen view", [](cAnalyticsPayload& p) { p.setScreenviewHit("Settings / Moon"); },
         "aip=1&cd=Settings%20%2F%20Moon&t=screenview&v=1&z=R",
         "apiv=1&cd=Settings%20%2F%20Moon&rand=R&rec=1&t=screenview"},
        {"page view", [](cAnalyticsPayload& p) { p.setPageviewHit("/Cindralux/Orvanel/CPU/4", "CPU cores: 4"); },
         "aip=1&dp=%2FCindralux%2FOrvanel%2FCPU%2F4&dt=CPU%20cores%3A%204&t=pageview&v=1&z=R",
         "action_name=CPU%20cores%3A%204&apiv=1&rand=R&rec=1&url=%2FCindralux%2FOrvanel%2FCPU%2F4"},
        {"page view without title", [](cAnalyticsPayload& p) { p.setPageviewHit("/a", ""); },
         "aip=1&dp=%2Fa&t=pageview&v=1&z=R", "action_name=&apiv=1&rand=R&rec=1&url=%2Fa"},
        {"session fields",
         [](cAnalyticsPayload& p) {
             p.setTrackingId("7");
             p.setClientId("4120069480");
             p.setScreenResolution("1920x1080, 1280x1024");
             p.setUserLanguage("de");
         },
         "aip=1&cid=4120069480&sr=1920x1080%2C%201280x1024&tid=7&ul=de&v=1",
         "_id=4120069480&apiv=1&idsite=7&lang=de&rec=1&res=1920x1080%2C%201280x1024"},
        {"application fields", [](cAnalyticsPayload& p) { p.setApplicationFields("Orvanel", "5.9.4", "Sky"); },
         "aid=Sky%20%2F%205.9.4&aip=1&an=Orvanel&av=5.9.4&cm=5.9.4&cn=Orvanel%20%205.9.4&cs=Orvanel%20%205.9.4%20%20Sky&v=1",
         "_cvar=%7B%221%22%3A%5B%22appName%22%2C%22Orvanel%22%5D%2C%222%22%3A%5B%22appVersion%22%2C%225.9.4%22%5D%7D&"
         "apiv=1&rec=1"},
    };
    for (const HitCase& c : cases) {
        EXPECT_EQ(bodyOf<cAnalyticsPayloadGA>(c.hit), c.googleBody) << c.name;
        EXPECT_EQ(bodyOf<cAnalyticsPayloadMatomo>(c.hit), c.matomoBody) << c.name;
    }
}

TEST(AnalyticsPayload, EncodesEveryByteOutsideTheUnreservedSet) {
    EXPECT_EQ(percentEncode("a&b=c+d~e_f.g-h \xC3\xA9\n"), "a%26b%3Dc%2Bd~e_f.g-h%20%C3%A9%0A");
    EXPECT_EQ(percentEncode(std::string("x\0y", 3)), "x%00y");
}

TEST(AnalyticsPayload, FieldsAreCutToTheProtocolsLongestValueWithoutSplittingACharacter) {
    cAnalyticsPayloadGA google;
    google.setEventHit(std::string(200, 'c'), std::string(600, 'a'), std::string(499, 'x') + "\xC3\xA9", 1);
    google.setTrackingId("UA-123456789-12345678901");
    EXPECT_EQ(google.getString("ec", ""), std::string(150, 'c'));
    EXPECT_EQ(google.getString("ea", ""), std::string(500, 'a'));
    EXPECT_EQ(google.getString("el", ""), std::string(499, 'x'));
    EXPECT_EQ(google.getString("tid", ""), "UA-123456789-1234567");

    cAnalyticsPayloadMatomo matomo;
    matomo.setCustomDimension(3, std::string(151, 'd'));
    matomo.setDocumentReferrer(std::string(3000, 'r'));
    EXPECT_EQ(matomo.getString("dimension3", ""), std::string(150, 'd'));
    EXPECT_EQ(matomo.getString("urlref", "").size(), 2048u);
}

// Hits may go out before the sky seeds the C library's generator: drawn from
// it, every run sent that generator's unseeded sequence, and drawing would
// also shift the sky's own random sequence.
TEST(AnalyticsPayload, CacheBusterComesFromTelemetrysOwnGeneratorAndLeavesTheSkysAlone) {
    std::srand(20271);
    const int expected[] = {std::rand(), std::rand(), std::rand()};
    std::srand(20271);
    std::vector<std::string> sent;
    for (int hit = 0; hit < 4; ++hit) {
        cAnalyticsPayloadMatomo payload;
        payload.resetToHeader();
        payload.setScreenviewHit("screensaver run");
        std::smatch found;
        const std::string body = payload.body();
        ASSERT_TRUE(std::regex_search(body, found, std::regex("(^|&)rand=([0-9]+)"))) << body;
        sent.push_back(found[2]);
    }
    for (int value : expected) EXPECT_EQ(std::rand(), value);
    for (const char* unseededGlibc : {"1804289383", "846930886", "1681692777", "1714636915"})
        EXPECT_EQ(std::count(sent.begin(), sent.end(), unseededGlibc), 0) << unseededGlibc;
    std::sort(sent.begin(), sent.end());
    EXPECT_EQ(std::unique(sent.begin(), sent.end()), sent.end()) << "the same value twice in four hits";
}
