// The pages whose controls map one to one onto settings: the moon, the sky
// background, the sounds, the quotes, the startup, the telemetry consent and
// the About page.
#include "settings/win32/sheet_page_win32.h"

#include "settings/app_settings.h"
#include "settings/language_choice.h"
#include "settings/localisation.h"
#include "settings/moon_page_logic.h"
#include "settings/sound_page_logic.h"
#include "platform/text_encoding.h"
#include "system/win32/wide_text.h"
#include "util/log.h"

#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

bool isTypedField(HWND control) {
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    return lstrcmpiW(className, L"Edit") == 0 || lstrcmpiW(className, L"ComboBox") == 0;
}

BOOL CALLBACK translateControl(HWND control, LPARAM) {
    if (isTypedField(control)) return TRUE;
    const std::wstring text = windowText(control);
    if (text.empty()) return TRUE;
    const std::string english = keslUtf8FromWide(text);
    const std::string translated = localised(english);
    if (translated != english) SetWindowTextW(control, keslWideFromUtf8(translated).c_str());
    return TRUE;
}

}  // namespace

bool isChecked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

void setChecked(HWND page, int id, bool checked) { CheckDlgButton(page, id, checked ? BST_CHECKED : BST_UNCHECKED); }

std::string controlText(HWND page, int id, std::size_t maxLength) {
    std::vector<char> text(maxLength + 1, '\0');
    GetDlgItemTextA(page, id, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void setControlText(HWND page, int id, const std::string& utf8) {
    SetDlgItemTextW(page, id, keslWideFromUtf8(utf8).c_str());
}

void translateControls(HWND page) { EnumChildWindows(page, translateControl, 0); }

void setStoredText(HWND page, int id, const std::string& stored) {
    const bool utf8 = keslIsMultiByteUtf8(stored.data(), stored.size());
    SetDlgItemTextW(page, id, (utf8 ? keslWideFromUtf8(stored) : keslWideFromAnsi(stored)).c_str());
}

std::string storedText(HWND page, int id, std::size_t maxLength) {
    std::wstring text = windowText(GetDlgItem(page, id));
    if (text.size() > maxLength) text.resize(maxLength);
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, &lost);
    if (lost || length <= 0) return keslUtf8FromWide(text);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

namespace {

// A radio group standing for one integer setting: the value of each button.
struct keslRadioValue {
    int id;
    int value;
};

template <std::size_t N>
void checkRadioOf(HWND page, const std::array<keslRadioValue, N>& radios, int value) {
    for (const keslRadioValue& radio : radios) setChecked(page, radio.id, radio.value == value);
}

// The value of the checked button, or nothing when none is (a stored value the page does not offer).
template <std::size_t N>
bool checkedRadioValue(HWND page, const std::array<keslRadioValue, N>& radios, int& value) {
    for (const keslRadioValue& radio : radios) {
        if (!isChecked(page, radio.id)) continue;
        value = radio.value;
        return true;
    }
    return false;
}

// A check box bound to a bool setting.
struct keslCheckBinding {
    int id;
    keslBoolSetting* setting;
};

void loadChecks(HWND page, const std::vector<keslCheckBinding>& checks) {
    for (const keslCheckBinding& check : checks) setChecked(page, check.id, check.setting->get());
}

void storeChecks(HWND page, const std::vector<keslCheckBinding>& checks) {
    for (const keslCheckBinding& check : checks) check.setting->set(isChecked(page, check.id));
}

class cMoonPage : public cSheetPageWin {
public:
    void load(HWND page) override {
        const keslMoonChoice choice = moonChoiceOf(m_moon);
        for (const auto& [id, radioChoice] : kRadios) setChecked(page, id, radioChoice == choice);
        loadChecks(page, m_checks);
    }
    void store(HWND page) override {
        for (const auto& [id, radioChoice] : kRadios) {
            if (isChecked(page, id)) storeMoonChoice(m_moon, radioChoice);
        }
        storeChecks(page, m_checks);
    }

private:
    static constexpr std::array<std::pair<int, keslMoonChoice>, 4> kRadios{{{1006, keslMoonChoice::none},
                                                                             {1003, keslMoonChoice::small},
                                                                             {1004, keslMoonChoice::medium},
                                                                             {1005, keslMoonChoice::large}}};
    cMoonSettings m_moon;
    std::vector<keslCheckBinding> m_checks{{1032, &m_moon.showPhaseName},
                                           {1033, &m_moon.showPhasePercentAndDegrees},
                                           {1034, &m_moon.showNotableDates}};
};

class cBackgroundPage : public cSheetPageWin {
public:
    void load(HWND page) override { checkRadioOf(page, kRadios, m_general.background.get()); }
    void store(HWND page) override {
        int value = 0;
        if (checkedRadioValue(page, kRadios, value)) m_general.background.set(value);
    }

private:
    static constexpr std::array<keslRadioValue, 4> kRadios{{{1013, 0}, {1014, 1}, {1012, 2}, {1011, 3}}};
    cGeneralSettings m_general;
};

constexpr int kCuckooCheck = 1039;

class cSoundsPage : public cSheetPageWin {
public:
    void load(HWND page) override {
        const int stored = m_sounds.selectedSound.get();
        const bool offered = std::any_of(kRadios.begin(), kRadios.end(),
                                         [stored](const keslRadioValue& radio) { return radio.value == stored; });
        checkRadioOf(page, kRadios, offered ? stored : 0);
        setChecked(page, kCuckooCheck, m_sounds.cuckooEveryHour.get());
    }
    void store(HWND page) override {
        int value = 0;
        if (checkedRadioValue(page, kRadios, value)) m_sounds.selectedSound.set(value);
        m_sounds.cuckooEveryHour.set(isChecked(page, kCuckooCheck));
    }
    void command(HWND page, int id, int code) override {
        if (code != BN_CLICKED) return;
        if (id == kCuckooCheck) {
            previewHourlyChime(isChecked(page, kCuckooCheck));
            return;
        }
        for (const keslRadioValue& radio : kRadios) {
            if (radio.id == id) previewSoundChoice(radio.value);
        }
    }

private:
    static constexpr std::array<keslRadioValue, 7> kRadios{
        {{1035, 0}, {1034, 1}, {1036, 2}, {1032, 3}, {1033, 4}, {1037, 5}, {1038, 6}}};
    cSoundSettings m_sounds;
};

class cQuotesPage : public cSheetPageWin {
public:
    void load(HWND page) override { loadChecks(page, m_checks); }
    void store(HWND page) override { storeChecks(page, m_checks); }

private:
    cQuoteSettings m_quotes;
    std::vector<keslCheckBinding> m_checks{{1026, &m_quotes.love},  {1027, &m_quotes.wisdom},
                                           {1028, &m_quotes.advice}, {1029, &m_quotes.peace},
                                           {1030, &m_quotes.funny},  {1031, &m_quotes.womenVsMen}};
};

class cStartupPage : public cSheetPageWin {
public:
    void load(HWND page) override {
        setChecked(page, kOldTv, m_general.startupEffect.get() == 1);
        setChecked(page, kNone, m_general.startupEffect.get() != 1);
        loadChecks(page, m_checks);
    }
    void store(HWND page) override {
        m_general.startupEffect.set(isChecked(page, kOldTv) ? 1 : 0);
        storeChecks(page, m_checks);
    }

private:
    static constexpr int kNone = 1007;
    static constexpr int kOldTv = 1006;
    cGeneralSettings m_general;
    cHotCornerSettings m_corners;
    std::vector<keslCheckBinding> m_checks{{1032, &m_corners.topLeft},
                                           {1061, &m_corners.topRight},
                                           {1039, &m_corners.bottomLeft},
                                           {1060, &m_corners.bottomRight}};
};

class cTelemetryPage : public cSheetPageWin {
public:
    explicit cTelemetryPage(keslSheetServices& services) : m_services(services) {}
    void load(HWND page) override {
        const bool consent = m_general.telemetryConsent.get();
        setChecked(page, kYes, consent);
        setChecked(page, kNo, !consent);
        keslLocalisation& texts = keslLocalisation::get();
        setControlText(page, 1046,
                       texts.translateOr(
                           "trn.Telemetry explained",
                           "To help improve Orvanel, you can anonymously send usage statistics to us. The data guide us "
                           "to enhance what you use the most.\nThe data sent is minimal. Broadly, we send things like "
                           "startup time, most used features, software crashes, operating systems, screen "
                           "resolutions.\nNo personal information is sent.\n\nYour selection will apply from the next "
                           "screen saver launch."));
        setControlText(page, 1047,
                       texts.translateOr("trn.Telemetry opting out", "By opting out, your usage patterns will not be "
                                                                     "taken into account when improving Orvanel."));
    }
    void store(HWND page) override { m_general.telemetryConsent.set(isChecked(page, kYes)); }
    void command(HWND, int id, int code) override {
        if (code != BN_CLICKED) return;
        if (id == kYes) m_services.event("Telemetry consent ON", "Telemetry ON");
        if (id == kNo) m_services.event("Telemetry consent OFF", "Telemetry OFF");
    }

private:
    static constexpr int kYes = 1044;
    static constexpr int kNo = 1045;
    keslSheetServices& m_services;
    cGeneralSettings m_general;
};

class cAboutPage : public cSheetPageWin {
public:
    explicit cAboutPage(const keslSheetIdentity& identity)
        : m_identity(identity), m_targets{identity.webSiteUrl, "mailto:" + identity.supportEmail} {}
    void load(HWND page) override {
        loadLinks(page);
        loadLanguages(page);
    }
    // Only a changed choice is stored: a stored language whose file is gone shows as "as the system" and stays.
    void store(HWND page) override {
        const LRESULT index = SendDlgItemMessageA(page, kLanguage, CB_GETCURSEL, 0, 0);
        if (index < 0 || static_cast<std::size_t>(index) >= m_languages.size()) return;
        if (static_cast<std::size_t>(index) == m_loadedLanguage) return;
        storeLanguageOption(m_languages[static_cast<std::size_t>(index)], m_general.interfaceLang);
    }
    bool notify(HWND, const NMHDR& header) override {
        if (header.idFrom != kLink || (header.code != NM_CLICK && header.code != NM_RETURN)) return false;
        const int index = reinterpret_cast<const NMLINK&>(header).item.iLink;
        if (index < 0 || index >= static_cast<int>(m_targets.size())) return true;
        const std::wstring target = keslWideFromUtf8(m_targets[static_cast<std::size_t>(index)]);
        const auto result =
            reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        // ShellExecute reports success as a value above 32.
        if (result <= 32) logError("#6302: could not open a link of the About page (error %i)", static_cast<int>(result));
        return true;
    }

private:
    static constexpr int kLink = 1025;
    static constexpr int kLanguage = 1092;

    void loadLinks(HWND page) const {
        setControlText(page, kLink, text(true));
        if (hasLinks(page)) return;
        // Some link controls (Wine's) miss an "href" attribute set after
        // creation; plain anchors still work, and clicks are resolved by index.
        logInfo("The link control found no links; showing them without their targets");
        setControlText(page, kLink, text(false));
    }
    void loadLanguages(HWND page) {
        m_languages = languageOptions(keslLocalisation::get().getInstalledLanguages());
        for (const sLanguageOption& option : m_languages) {
            const std::wstring label = keslWideFromUtf8(option.label);
            SendDlgItemMessageW(page, kLanguage, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
        }
        m_loadedLanguage = selectedLanguageOption(m_languages, m_general.interfaceLang);
        SendDlgItemMessageA(page, kLanguage, CB_SETCURSEL, m_loadedLanguage, 0);
    }

    // The page's text; the links in the order of m_targets.
    std::string text(bool withTargets) const {
        return m_identity.productName + " " + m_identity.version + "\n" + localised("Build") + ": " +
               m_identity.buildDate + "\n" + localised("Website") + ": " +
               link(m_targets[0], m_identity.webSiteName, withTargets) + "\n" + localised("Email") + ": " +
               link(m_targets[1], m_identity.supportEmail, withTargets);
    }
    static std::string link(const std::string& target, const std::string& text, bool withTarget) {
        return (withTarget ? "<a href=\"" + target + "\">" : std::string("<a>")) + text + "</a>";
    }
    static bool hasLinks(HWND page) {
        LITEM item{};
        item.mask = LIF_ITEMINDEX;
        item.iLink = 0;
        return SendDlgItemMessageW(page, kLink, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
    }

    const keslSheetIdentity& m_identity;
    std::array<std::string, 2> m_targets;
    cGeneralSettings m_general;
    std::vector<sLanguageOption> m_languages;
    std::size_t m_loadedLanguage = 0;
};

}  // namespace

std::unique_ptr<cSheetPageWin> makeMoonPage() { return std::make_unique<cMoonPage>(); }
std::unique_ptr<cSheetPageWin> makeBackgroundPage() { return std::make_unique<cBackgroundPage>(); }
std::unique_ptr<cSheetPageWin> makeSoundsPage() { return std::make_unique<cSoundsPage>(); }
std::unique_ptr<cSheetPageWin> makeQuotesPage() { return std::make_unique<cQuotesPage>(); }
std::unique_ptr<cSheetPageWin> makeStartupPage() { return std::make_unique<cStartupPage>(); }
std::unique_ptr<cSheetPageWin> makeTelemetryPage(keslSheetServices& services) {
    return std::make_unique<cTelemetryPage>(services);
}
std::unique_ptr<cSheetPageWin> makeAboutPage(const keslSheetIdentity& identity) {
    return std::make_unique<cAboutPage>(identity);
}
