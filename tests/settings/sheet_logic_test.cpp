#include "settings/app_settings.h"
#include "settings/clock_page_logic.h"
#include "settings/message_editor.h"
#include "settings/moon_page_logic.h"
#include "settings/power_page_logic.h"
#include "settings/sheet_pages.h"
#include "settings/sky_page_logic.h"
#include "settings/sound_page_logic.h"
#include "support/fake_system.h"

#include <gtest/gtest.h>

namespace {

TEST(SheetMoonPage, ShowsTheSizeClassAndStoresItsDiameter) {
    struct Case { bool show; int stored; keslMoonChoice shown; };
    for (const Case c : {Case{true, 100, keslMoonChoice::small}, Case{true, 250, keslMoonChoice::medium},
                         Case{true, 300, keslMoonChoice::large}, Case{false, 300, keslMoonChoice::none}}) {
        keslKeyValue store;
        cMoonSettings moon(store);
        moon.showMoon.set(c.show);
        moon.moonSize.set(c.stored);
        EXPECT_EQ(moonChoiceOf(moon), c.shown) << c.stored;
    }

    keslKeyValue store;
    cMoonSettings moon(store);
    moon.moonSize.set(250);
    storeMoonChoice(moon, moonChoiceOf(moon));
    EXPECT_EQ(store.getInt("moonSize", 0), 200);

    storeMoonChoice(moon, keslMoonChoice::none);
    EXPECT_EQ(store.getString("showMoon", ""), "no");
    EXPECT_EQ(store.getInt("moonSize", 0), 200) << "hiding the moon keeps its size for later";
}

keslMessage numbered(int n) { return {"text " + std::to_string(n), "bottom " + std::to_string(n)}; }

TEST(SheetMessagesPage, DeletingTheOnlyMessageEmptiesAndDisablesTheEditor) {
    keslKeyValue store;
    cMessageList list(store);
    list.messages() = {numbered(1)};
    list.setCurrentIndex(0);
    cMessageEditor editor(list);

    editor.deleteCurrent();
    const keslMessageEditorView view = editor.view();
    EXPECT_EQ(view.text, "");
    EXPECT_EQ(view.bottomLine, "");
    EXPECT_FALSE(view.editsEnabled);
    EXPECT_FALSE(view.previousEnabled || view.nextEnabled);
    EXPECT_TRUE(view.newEnabled);
    EXPECT_EQ(view.position, "0 of 0");

    editor.keepEdits("typed into a disabled edit", "");
    list.save();
    EXPECT_EQ(store.getInt("messagesCount", -1), 0);
}

TEST(SheetMessagesPage, AHundredMessagesAreTheLimit) {
    keslKeyValue store;
    cMessageList list(store);
    for (int i = 1; i <= 100; ++i) list.messages().push_back(numbered(i));
    list.setCurrentIndex(99);
    cMessageEditor editor(list);

    EXPECT_FALSE(editor.view().newEnabled);
    EXPECT_FALSE(editor.view().nextEnabled);
    EXPECT_EQ(editor.view().position, "100 of 100");
    editor.insertNew();
    EXPECT_EQ(list.messages().size(), 100u);

    list.messages().push_back(numbered(101));  // a longer hand-edited list still shows only the first hundred
    list.setCurrentIndex(98);
    EXPECT_TRUE(editor.view().nextEnabled);
    EXPECT_EQ(editor.view().position, "99 of 100");
}

TEST(SheetMessagesPage, MovesKeepTheEditsAndLandWhereTheUserExpects) {
    keslKeyValue store;
    cMessageList list(store);
    list.messages() = {numbered(1), numbered(2), numbered(3)};
    list.setCurrentIndex(0);
    cMessageEditor editor(list);

    editor.keepEdits("edited", "line");
    editor.insertNew();
    EXPECT_EQ(list.messages()[0], (keslMessage{"edited", "line"}));
    EXPECT_EQ(list.currentIndex(), 1) << "new goes after the current message";
    EXPECT_EQ(list.messages()[1], keslMessage{});
    EXPECT_EQ(editor.view().position, "2 of 4");

    editor.deleteCurrent();
    EXPECT_EQ(list.currentIndex(), 1);
    EXPECT_EQ(editor.view().text, "text 2") << "the following message becomes current";

    editor.next();
    editor.next();
    EXPECT_EQ(list.currentIndex(), 2) << "next stops at the last message";
    editor.deleteCurrent();
    EXPECT_EQ(list.currentIndex(), 1) << "deleting the last makes the new last current";
    EXPECT_EQ(editor.view().text, "text 2");

    editor.previous();
    editor.previous();
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_FALSE(editor.view().previousEnabled);

    editor.keepEdits(std::string(6000, 'x'), std::string(6000, 'y'));
    EXPECT_EQ(list.messages()[0].text.size(), 4999u);
    EXPECT_EQ(list.messages()[0].bottomLine.size(), 4999u);
}

TEST(SheetMessagesPage, NewOnAnEmptyListStartsTheFirstMessage) {
    keslKeyValue store;
    cMessageList list(store);
    cMessageEditor editor(list);
    editor.insertNew();
    EXPECT_EQ(list.messages().size(), 1u);
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_TRUE(editor.view().editsEnabled);
    EXPECT_EQ(editor.view().position, "1 of 1");
}

TEST(SheetPowerPage, ShowsTheShortestPositionCoveringWhatIsLeft) {
    FakeSystem system;
    const std::int64_t nowMinutes = system.now / 60;
    struct Case { std::int64_t until; bool permanent; int position; const char* label; };
    const Case cases[] = {
        {nowMinutes + 20, false, 1, "Prevent sleep for the next 30 minutes"},  // 10 minutes into 30
        {nowMinutes + 40, false, 2, "Prevent sleep for the next 1 hour"},      // 40 minutes before the end of 48 hours
        {nowMinutes + 2881, false, 9, "Prevent sleep permanently"},
        {nowMinutes - 5, false, 0, "Run normally (no changes in the power settings)"},
        {0, true, 9, "Prevent sleep permanently"},
        {INT64_MAX, false, 9, "Prevent sleep permanently"},
        {INT64_MIN, false, 0, "Run normally (no changes in the power settings)"},
    };
    for (const Case& c : cases) {
        keslKeyValue store;
        cPowerSettings power(store);
        power.preventSleepUntilUtcMinutes.set(c.until);
        power.preventSleepPermanently.set(c.permanent);
        const int position = powerPositionFor(remainingKeepAwakeMinutes(power, system.now));
        EXPECT_EQ(position, c.position) << c.until - nowMinutes;
        EXPECT_STREQ(powerStepAt(position).label, c.label);
    }
}

TEST(SheetPowerPage, OkStoresThePeriodFromNowOrPermanently) {
    FakeSystem system;
    const std::int64_t nowMinutes = system.now / 60;
    keslKeyValue store;
    cPowerSettings power(store);
    power.preventSleepUntilUtcMinutes.set(nowMinutes + 4000);

    storePowerPosition(power, powerPositionFor(remainingKeepAwakeMinutes(power, system.now)));
    EXPECT_TRUE(store.getBool("preventComputerSleep_permanently", false));
    EXPECT_EQ(store.getInt64("preventComputerSleepUntilUTCtime_inMinutes", 0), nowMinutes + 4000);

    storePowerPosition(power, 3);
    EXPECT_FALSE(store.getBool("preventComputerSleep_permanently", true));
    EXPECT_EQ(store.getInt64("preventComputerSleepUntilUTCtime_inMinutes", 0), nowMinutes + 120);

    storePowerPosition(power, 0);
    EXPECT_EQ(store.getInt64("preventComputerSleepUntilUTCtime_inMinutes", 0), nowMinutes) << "ends the period at once";
}

TEST(SheetClockPage, SelectsOnlyAnEntryEqualToTheStoredText) {
    EXPECT_EQ(clockSpeedIndexOf("3"), -1);
    EXPECT_EQ(clockSpeedIndexOf("0.2"), 1);
    EXPECT_EQ(clockSpeedIndexOf("1"), 3);
    EXPECT_EQ(clockSpeedIndexOf("1.0"), -1);
    EXPECT_EQ(clockFontSizeIndexOf("30"), 5);
    EXPECT_EQ(clockFontSizeIndexOf("70"), 12);
    EXPECT_EQ(clockFontSizeIndexOf(""), -1);
}

TEST(SheetClockPage, ColourControlsNeedAShownClockWithoutAutomaticColour) {
    struct Case { bool show, autoColor, options, color; };
    for (const Case c : {Case{true, true, true, false}, Case{true, false, true, true}, Case{false, false, false, false},
                         Case{false, true, false, false}}) {
        const keslClockEnabling enabling = clockEnabling(c.show, c.autoColor);
        EXPECT_EQ(enabling.options, c.options);
        EXPECT_EQ(enabling.color, c.color);
    }
}

TEST(SheetSoundsPage, ClicksPlayTheChoiceOnceAndSilenceOnlyStops) {
    using Call = FakeSystem::SoundCall;
    constexpr int stop = FakeSystem::kStop;
    FakeSystem system;
    previewSoundChoice(4);
    previewSoundChoice(0);
    previewSoundChoice(42);  // a value the page does not offer is silence
    previewHourlyChime(true);
    previewHourlyChime(false);
    EXPECT_EQ(system.sounds, (std::vector<Call>{{stop, false}, {117, false}, {stop, false}, {stop, false},
                                                {stop, false}, {111, false}}));
}

TEST(SheetPages, OpensOnTheStoredPageKeptInRange) {
    EXPECT_EQ(sheetStartPage(0), 0);
    EXPECT_EQ(sheetStartPage(3), 3);
    EXPECT_EQ(sheetStartPage(9), 9);
    EXPECT_EQ(sheetStartPage(10), 10);
    EXPECT_EQ(sheetStartPage(11), 10);
    EXPECT_EQ(sheetStartPage(-4), 0);
    EXPECT_EQ(kSheetPages[3].templateId, 2010);
    EXPECT_STREQ(kSheetPages[7].screenView, "Settings / Clock");
    EXPECT_EQ(kSheetPages[9].templateId, 2004) << "About keeps its index when Sky comes last";
    EXPECT_EQ(kSheetPages[10].templateId, 2012);
}

TEST(SheetSkyPage, ChecksThePlaceAndKeepsItAsTyped) {
    using P = keslSkyPlaceProblem;
    struct Case { const char* latitude; const char* longitude; P problem; const char* keptLat; const char* keptLon; };
    const Case cases[] = {
        {"", "", P::none, "", ""},
        {"  ", "\t", P::none, "", ""},
        {"52.5", "13.4", P::none, "52.5", "13.4"},
        {" -33,87 ", "+151,21", P::none, "-33.87", "151.21"},
        {"90", "-180", P::none, "90", "-180"},
        {"-90", "180", P::none, "-90", "180"},
        {"90.01", "0", P::latitude, "", ""},
        {"-91", "0", P::latitude, "", ""},
        {"north", "0", P::latitude, "", ""},
        {"1e1", "0", P::latitude, "", ""},
        {"nan", "0", P::latitude, "", ""},
        {"5.2.1", "0", P::latitude, "", ""},
        {"0", "180.5", P::longitude, "", ""},
        {"0", "-181", P::longitude, "", ""},
        {"0", "13 E", P::longitude, "", ""},
        {"52.5", "", P::onlyOne, "", ""},
        {"", "13.4", P::onlyOne, "", ""},
        {"95", "", P::latitude, "", ""},
    };
    for (const Case& c : cases) {
        const keslSkyPlaceCheck check = checkSkyPlace(c.latitude, c.longitude);
        EXPECT_EQ(check.problem, c.problem) << c.latitude << " / " << c.longitude;
        EXPECT_EQ(check.latitude, c.keptLat) << c.latitude;
        EXPECT_EQ(check.longitude, c.keptLon) << c.longitude;
    }
    EXPECT_NE(std::string(skyPlaceMessage(P::latitude).english).find("-90 to 90"), std::string::npos);
    EXPECT_NE(std::string(skyPlaceMessage(P::longitude).english).find("-180 to 180"), std::string::npos);
}

TEST(SheetSkyPage, AHandEditedPlaceThatIsNoPlaceFallsBackToTheTimeZone) {
    keslKeyValue store;
    cSkySettings sky(store);
    double latitude = 0.0;
    double longitude = 0.0;
    EXPECT_FALSE(storedSkyPlace(sky, latitude, longitude)) << "nothing stored: the time zone decides";
    sky.latitude.set("-33.87");
    sky.longitude.set("151.21");
    ASSERT_TRUE(storedSkyPlace(sky, latitude, longitude));
    EXPECT_DOUBLE_EQ(latitude, -33.87);
    EXPECT_DOUBLE_EQ(longitude, 151.21);
    sky.latitude.set("123");
    EXPECT_FALSE(storedSkyPlace(sky, latitude, longitude));
}

}  // namespace
