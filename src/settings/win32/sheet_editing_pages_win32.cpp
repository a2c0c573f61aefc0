// The pages with state of their own between opening and OK: the message
// editor, the keep-awake track bar and the clock with its colour.
#include "settings/win32/sheet_page_win32.h"

#include "settings/app_settings.h"
#include "settings/clock_page_logic.h"
#include "settings/localisation.h"
#include "settings/message_editor.h"
#include "settings/power_page_logic.h"
#include "settings/settings.h"
#include "system/system_services.h"
#include "util/log.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>

namespace {

class cMessagesPage : public cSheetPageWin {
public:
    void load(HWND page) override {
        m_list.load();
        logControls(page);
        show(page);
    }
    void store(HWND page) override {
        keepEdits(page);
        m_list.save();
    }
    void command(HWND page, int id, int code) override {
        if (code != BN_CLICKED) return;
        switch (id) {
            case kNew: keepEdits(page); m_editor.insertNew(); break;
            case kDelete: m_editor.deleteCurrent(); break;
            case kNext: keepEdits(page); m_editor.next(); break;
            case kPrevious: keepEdits(page); m_editor.previous(); break;
            default: return;
        }
        show(page);
    }

private:
    static constexpr int kText = 1014;
    static constexpr int kBottomLine = 1015;
    static constexpr int kNew = 1016;
    static constexpr int kDelete = 1017;
    static constexpr int kNext = 1018;
    static constexpr int kPrevious = 1019;
    static constexpr int kPosition = 1020;
    static constexpr std::size_t kLoggedTextLength = 250;

    static BOOL CALLBACK logControl(HWND control, LPARAM) {
        std::array<char, kLoggedTextLength + 1> text{};
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
        logInfo("%s", text.data());
        return TRUE;
    }
    static void logControls(HWND page) {
        logInfo("Enumerating controls of window:%d", static_cast<int>(reinterpret_cast<INT_PTR>(page)));
        EnumChildWindows(page, logControl, 0);
    }

    void keepEdits(HWND page) {
        m_editor.keepEdits(storedText(page, kText, cMessageEditor::kMaxEditLength),
                           storedText(page, kBottomLine, cMessageEditor::kMaxEditLength));
    }

    void show(HWND page) {
        const keslMessageEditorView view = m_editor.view();
        setStoredText(page, kText, view.text);
        setStoredText(page, kBottomLine, view.bottomLine);
        setControlText(page, kPosition, view.position);
        EnableWindow(GetDlgItem(page, kText), view.editsEnabled);
        EnableWindow(GetDlgItem(page, kBottomLine), view.editsEnabled);
        EnableWindow(GetDlgItem(page, kDelete), view.editsEnabled);
        EnableWindow(GetDlgItem(page, kPrevious), view.previousEnabled);
        EnableWindow(GetDlgItem(page, kNext), view.nextEnabled);
        EnableWindow(GetDlgItem(page, kNew), view.newEnabled);
    }

    cMessageList m_list{applicationSettings()};
    cMessageEditor m_editor{m_list};
};

class cPowerPage : public cSheetPageWin {
public:
    void load(HWND page) override {
        const HWND slider = GetDlgItem(page, kSlider);
        SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, static_cast<int>(kPowerSteps.size()) - 1));
        SendMessageA(slider, TBM_SETPAGESIZE, 0, 1);
        const int remaining = remainingKeepAwakeMinutes(m_power, keslSystemServices().currentTime());
        SendMessageA(slider, TBM_SETPOS, TRUE, powerPositionFor(remaining));
        showLabel(page);
    }
    void store(HWND page) override { storePowerPosition(m_power, position(page)); }
    void scrolled(HWND page) override { showLabel(page); }

private:
    static constexpr int kSlider = 1050;
    static constexpr int kLabel = 1051;
    static int position(HWND page) {
        return static_cast<int>(SendDlgItemMessageA(page, kSlider, TBM_GETPOS, 0, 0));
    }
    static void showLabel(HWND page) { setControlText(page, kLabel, localised(powerStepAt(position(page)).label)); }

    cPowerSettings m_power;
};

// Kept for the life of the process, so colours the user mixed once are offered again.
COLORREF customColors[16] = {};

COLORREF toColorRef(std::uint32_t color) { return RGB((color >> 24) & 0xFF, (color >> 16) & 0xFF, (color >> 8) & 0xFF); }

std::uint32_t withRgbOf(COLORREF chosen, std::uint32_t color) {
    return (static_cast<std::uint32_t>(GetRValue(chosen)) << 24) | (static_cast<std::uint32_t>(GetGValue(chosen)) << 16) |
           (static_cast<std::uint32_t>(GetBValue(chosen)) << 8) | (color & 0xFF);
}

class cClockPage : public cSheetPageWin {
public:
    void load(HWND page) override {
        m_color = m_clock.color.get();
        setChecked(page, kShowClock, m_clock.showClock.get());
        setChecked(page, k24Hours, m_clock.format24H.get());
        setChecked(page, kSeconds, m_clock.showSeconds.get());
        setChecked(page, kAutoColor, m_clock.autoColor.get());
        for (const char* size : kClockFontSizes) SendDlgItemMessageA(page, kFontSize, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
        for (const keslClockSpeed& speed : kClockSpeeds) {
            SendDlgItemMessageA(page, kSpeed, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(speed.text));
        }
        SendDlgItemMessageA(page, kFontSize, CB_SETCURSEL, clockFontSizeIndexOf(m_clock.fontSize.get()), 0);
        SendDlgItemMessageA(page, kSpeed, CB_SETCURSEL, clockSpeedIndexOf(m_clock.speed.get()), 0);
        enable(page);
    }
    void store(HWND page) override {
        m_clock.showClock.set(isChecked(page, kShowClock));
        m_clock.format24H.set(isChecked(page, k24Hours));
        m_clock.showSeconds.set(isChecked(page, kSeconds));
        m_clock.autoColor.set(isChecked(page, kAutoColor));
        const int size = selection(page, kFontSize, static_cast<int>(kClockFontSizes.size()));
        if (size >= 0) m_clock.fontSize.set(kClockFontSizes[static_cast<std::size_t>(size)]);
        const int speed = selection(page, kSpeed, static_cast<int>(kClockSpeeds.size()));
        if (speed >= 0) m_clock.speed.set(kClockSpeeds[static_cast<std::size_t>(speed)].text);
        m_clock.color.set(m_color);
    }
    void command(HWND page, int id, int code) override {
        if (code != BN_CLICKED) return;
        if (id == kShowClock || id == kAutoColor) {
            enable(page);
            InvalidateRect(page, nullptr, TRUE);
        }
        if (id == kSelectColor) chooseColor(page);
    }
    void paint(HWND page, HDC dc) override {
        if (!clockEnabling(isChecked(page, kShowClock), isChecked(page, kAutoColor)).color) return;
        RECT swatch = swatchRect(page);
        SetBkColor(dc, toColorRef(m_color));
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &swatch, nullptr, 0, nullptr);
        DrawEdge(dc, &swatch, EDGE_SUNKEN, BF_RECT);
    }

private:
    static constexpr int kShowClock = 1032;
    static constexpr int k24Hours = 1033;
    static constexpr int kSeconds = 1034;
    static constexpr int kAutoColor = 1039;
    static constexpr int kSelectColor = 1053;
    static constexpr int kFontSize = 1054;
    static constexpr int kSpeed = 1055;
    // The swatch's left and right edges, in dialog units left of the button.
    static constexpr int kSwatchFromButton = 28;
    static constexpr int kSwatchToButton = 6;

    static int selection(HWND page, int id, int count) {
        const int index = static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0));
        return (index >= 0 && index < count) ? index : -1;
    }

    static RECT swatchRect(HWND page) {
        RECT button{};
        GetWindowRect(GetDlgItem(page, kSelectColor), &button);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&button), 2);
        RECT offsets{kSwatchToButton, 0, kSwatchFromButton, 0};
        MapDialogRect(page, &offsets);
        return RECT{button.left - offsets.right, button.top, button.left - offsets.left, button.bottom};
    }

    void enable(HWND page) {
        const keslClockEnabling enabling = clockEnabling(isChecked(page, kShowClock), isChecked(page, kAutoColor));
        for (int id : {k24Hours, kSeconds, kAutoColor, kFontSize, kSpeed}) EnableWindow(GetDlgItem(page, id), enabling.options);
        EnableWindow(GetDlgItem(page, kSelectColor), enabling.color);
    }

    void chooseColor(HWND page) {
        CHOOSECOLORA chooser{};
        chooser.lStructSize = sizeof(chooser);
        chooser.hwndOwner = page;
        chooser.rgbResult = toColorRef(m_color);
        chooser.lpCustColors = customColors;
        chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
        if (!ChooseColorA(&chooser)) return;
        m_color = withRgbOf(chooser.rgbResult, m_color);
        RECT swatch = swatchRect(page);
        InvalidateRect(page, &swatch, TRUE);
    }

    cClockSettings m_clock;
    std::uint32_t m_color = 0;
};

}  // namespace

std::unique_ptr<cSheetPageWin> makeMessagesPage() { return std::make_unique<cMessagesPage>(); }
std::unique_ptr<cSheetPageWin> makePowerPage() { return std::make_unique<cPowerPage>(); }
std::unique_ptr<cSheetPageWin> makeClockPage() { return std::make_unique<cClockPage>(); }
