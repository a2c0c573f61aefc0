// The Sky page: the real sky switched on or off, the place it stands over
// and what is drawn in it. A place that is no place keeps the user on the
// page with a message instead of being stored.
#include "settings/win32/sheet_page_win32.h"

#include "settings/app_settings.h"
#include "settings/localisation.h"
#include "settings/sky_page_logic.h"
#include "system/win32/wide_text.h"

namespace {

constexpr int kRealSky = 1070;
constexpr int kLatitude = 1071;
constexpr int kLongitude = 1072;
constexpr int kFromTimeZone = 1073;
constexpr int kLines = 1074;
constexpr int kNames = 1075;
constexpr int kAlwaysNight = 1076;
constexpr std::size_t kLongestDegreesText = 32;

const char* translated(const char* key, const char* english) {
    return keslLocalisation::get().translateOr(key, english);
}

class cSkyPage : public cSheetPageWin {
public:
    void load(HWND page) override {
        setChecked(page, kRealSky, m_sky.realSky.get());
        SetDlgItemTextA(page, kLatitude, m_sky.latitude.get().c_str());
        SetDlgItemTextA(page, kLongitude, m_sky.longitude.get().c_str());
        setChecked(page, kLines, m_sky.showConstellationLines.get());
        setChecked(page, kNames, m_sky.showNames.get());
        setChecked(page, kAlwaysNight, m_sky.alwaysNight.get());
        SendDlgItemMessageA(page, kLatitude, EM_LIMITTEXT, kLongestDegreesText, 0);
        SendDlgItemMessageA(page, kLongitude, EM_LIMITTEXT, kLongestDegreesText, 0);
        showEnabling(page);
        showPlaceSource(page);
    }

    bool valid(HWND page) override {
        const keslSkyPlaceProblem problem = typedPlace(page).problem;
        if (problem == keslSkyPlaceProblem::none) return true;
        const keslSkyPlaceMessage message = skyPlaceMessage(problem);
        MessageBoxW(GetParent(page), keslWideFromUtf8(translated(message.key, message.english)).c_str(),
                    keslWideFromUtf8(localised("Sky")).c_str(), MB_OK | MB_ICONWARNING);
        const HWND field = GetDlgItem(page, problem == keslSkyPlaceProblem::longitude ? kLongitude : kLatitude);
        SetFocus(field);
        SendMessageA(field, EM_SETSEL, 0, -1);
        return false;
    }

    void store(HWND page) override {
        m_sky.realSky.set(isChecked(page, kRealSky));
        m_sky.showConstellationLines.set(isChecked(page, kLines));
        m_sky.showNames.set(isChecked(page, kNames));
        m_sky.alwaysNight.set(isChecked(page, kAlwaysNight));
        // The sheet does not close on a bad place (valid), so this only guards.
        const keslSkyPlaceCheck place = typedPlace(page);
        if (place.problem != keslSkyPlaceProblem::none) return;
        m_sky.latitude.set(place.latitude);
        m_sky.longitude.set(place.longitude);
    }

    void command(HWND page, int id, int code) override {
        if (id == kRealSky && code == BN_CLICKED) showEnabling(page);
        if ((id == kLatitude || id == kLongitude) && code == EN_CHANGE) showPlaceSource(page);
    }

private:
    static keslSkyPlaceCheck typedPlace(HWND page) {
        return checkSkyPlace(controlText(page, kLatitude, kLongestDegreesText),
                             controlText(page, kLongitude, kLongestDegreesText));
    }
    static void showEnabling(HWND page) {
        const bool on = isChecked(page, kRealSky);
        for (int id : {kLatitude, kLongitude, kFromTimeZone, kLines, kNames, kAlwaysNight, 1083, 1084}) {
            EnableWindow(GetDlgItem(page, id), on);
        }
    }
    static void showPlaceSource(HWND page) {
        const keslSkyPlaceCheck place = typedPlace(page);
        const bool fromTimeZone = place.problem == keslSkyPlaceProblem::none && place.latitude.empty();
        setControlText(page, kFromTimeZone,
                       fromTimeZone ? translated("trn.From my time zone", "Empty: from my time zone") : "");
    }

    cSkySettings m_sky;
};

}  // namespace

std::unique_ptr<cSheetPageWin> makeSkyPage() { return std::make_unique<cSkyPage>(); }
