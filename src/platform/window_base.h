// What every window of the system offers its sprites: drawing into a back
// buffer, flushing it to the screen, and stacks of text attributes so a sprite
// can set a colour or font for one piece of text and get the previous one back.
// The backend (GDI or raster) supplies the surfaces; keslWindow adds bounds
// tests and the stack operations on top.
#pragma once

#include "platform/color.h"
#include "platform/dirty_region.h"
#include "platform/drawing_tools.h"
#include "platform/pixels.h"
#include "platform/text_params.h"
#include "system/point.h"
#include "system/rect.h"

#include <optional>
#include <string>
#include <vector>

// An HWND on Windows; on the raster, the window's own pixel surface.
using keslWindowHandle = void*;

struct keslSize {
    int width = 0;
    int height = 0;
};

// One attribute: its default and the values pushed over it.
template <typename T>
class keslAttributeStack {
public:
    explicit keslAttributeStack(T defaultValue) : m_default(std::move(defaultValue)) {}

    const T& inForce() const { return m_values.empty() ? m_default : m_values.back(); }
    void push(const T& value) { m_values.push_back(value); }
    void pop() {
        if (!m_values.empty()) {
            m_values.pop_back();
        }
    }
    size_t depth() const { return m_values.size(); }

private:
    T m_default;
    std::vector<T> m_values;
};

class keslWindowBase {
public:
    static constexpr keslColor kDefaultBackgroundColor = 0xFFEFD5FFu;
    static constexpr keslColor kDefaultTextColor = 0xFFFF00FFu;
    static constexpr float kDefaultFontSize = 12.0f;

    explicit keslWindowBase(keslWindowHandle handle) : m_windowHandle(handle) {}
    keslWindowBase(const keslWindowBase&) = delete;
    keslWindowBase& operator=(const keslWindowBase&) = delete;
    virtual ~keslWindowBase() = default;

    // Shows the back buffer: only the damage when the frame declared one, else all of it.
    virtual void flush() = 0;
    // Limits drawing (not reading) to one rectangle of the client area; null lifts the limit.
    virtual void setClipRect(const keslRect<int>* clip) = 0;
    virtual void clear() = 0;
    virtual void clearWithColor(keslColor color) = 0;
    virtual void fillRect(const keslRect<int>& rect, keslColor color) = 0;
    virtual void fillEllipse(int left, int top, int right, int bottom, keslColor color) = 0;
    virtual void fillCircle(int x, int y, int radius, keslColor color) {
        fillEllipse(x - radius, y - radius, x + radius, y + radius, color);
    }
    // Returns the height of the drawn text.
    virtual int drawText(int x, int y, const char* text, const spriteTextParams& attributes) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) = 0;
    // Copies source's (0, 0, width, height) to (x, y); pixels of exactly the key colour are skipped.
    virtual void drawImage(int x, int y, keslSurfaceHandle source, int width, int height,
                           std::optional<keslColor> transparentColor) = 0;
    // Copies pixels the caller holds in memory to (x, y), skipping exactly the
    // key colour; false (and nothing drawn) where the target is not in memory.
    virtual bool drawPixels(int /*x*/, int /*y*/, const keslPixelView& /*pixels*/,
                            std::optional<keslColor> /*transparentColor*/) {
        return false;
    }
    // Makes each pixel at (x, y) the brighter of itself and the caller's,
    // channel by channel; false (and nothing drawn) where the target is not in memory.
    virtual bool lightenPixels(int /*x*/, int /*y*/, const keslPixelView& /*pixels*/) { return false; }
    // Paints area with the caller's picture repeated from the client area's
    // (0, 0); false (and nothing drawn) where the target is not in memory.
    virtual bool drawTiledPixels(const keslPixelView& /*tile*/, const keslRect<int>& /*area*/) { return false; }
    virtual void pushTextAttributes(const spriteTextParams& attributes) = 0;
    virtual void popTextAttributes(const spriteTextParams& attributes) = 0;
    virtual keslColor getPixel(int x, int y) = 0;
    virtual void setPixel(int x, int y, keslColor color) = 0;
    virtual keslRect<int> getWindowRect() = 0;
    virtual int getTop() = 0;
    virtual int getLeft() = 0;
    virtual keslPoint<int> getPosition() = 0;
    virtual int getBottom() { return getClientHeight() + getTop(); }
    virtual int getRight() { return getClientWidth() + getLeft(); }
    virtual int getClientWidth() = 0;
    virtual int getClientHeight() = 0;
    virtual keslSize getClientSize() = 0;
    // Measured with the font name, size, spacing and flags in force.
    virtual void getTextSize(const char* text, int* width, int* height) = 0;
    virtual void setDoubleBuffered(bool on) { m_doubleBuffered = on; }
    // Asks whoever shows the window to close it once the current message is done.
    virtual void requestClose() = 0;

    // What the frame being drawn changed (borrowed until the flush). A frame
    // that says nothing is shown whole; every flush starts the next frame whole again.
    void setDamage(const keslDirtyRegion* region) { m_damage = region; }
    const keslDirtyRegion& damage() const { return m_damage != nullptr ? *m_damage : m_wholeFrame; }
    void forgetDamage() { m_damage = nullptr; }

    keslWindowHandle getWindowHandle() const { return m_windowHandle; }
    bool isDoubleBuffered() const { return m_doubleBuffered; }

    keslColor getBackgroundColor() const { return m_backgroundColor.inForce(); }
    void pushBackgroundColor(keslColor color) { m_backgroundColor.push(color); }
    void popBackgroundColor() { m_backgroundColor.pop(); }

    keslColor getTextColor() const { return m_textColor.inForce(); }
    const std::string& getFontName() const { return m_fontName.inForce(); }
    float getFontSize() const { return m_fontSize.inForce(); }
    keslTextAlign getAlignment() const { return m_alignment.inForce(); }
    float getCharacterExtra() const { return m_characterExtra.inForce(); }
    std::int32_t getNonAntialiased() const { return m_nonAntialiased.inForce(); }
    std::int32_t getThin() const { return m_thin.inForce(); }

protected:
    // Draws with every text attribute in force (the stacks already hold the sprite's values).
    virtual int drawTextInForce(int x, int y, const char* text) = 0;
    // The pixels drawTextInForce would paint, when the backend keeps the
    // text's ink and so knows them exactly; none when it would only find out by drawing.
    virtual std::optional<keslRect<int>> textInkInForce(int /*x*/, int /*y*/, const char* /*text*/) {
        return std::nullopt;
    }
    // The drawing tools' parameters from the values in force.
    keslTextParams textParamsInForce(bool withColorAndAlignment) const;

    keslWindowHandle m_windowHandle;
    bool m_doubleBuffered = true;
    const keslDirtyRegion* m_damage = nullptr;
    const keslDirtyRegion m_wholeFrame;
    keslAttributeStack<keslColor> m_backgroundColor{kDefaultBackgroundColor};
    keslAttributeStack<keslColor> m_textColor{kDefaultTextColor};
    keslAttributeStack<std::string> m_fontName{kDefaultFontName};
    keslAttributeStack<float> m_fontSize{kDefaultFontSize};
    keslAttributeStack<keslTextAlign> m_alignment{kTextAlignLeft};
    keslAttributeStack<float> m_characterExtra{0.0f};
    keslAttributeStack<std::int32_t> m_nonAntialiased{0};
    keslAttributeStack<std::int32_t> m_thin{0};
};
