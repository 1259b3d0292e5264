#pragma once
// The display driver of tests and machines without a screen. Its windows live in memory:
// what a window presents is copied into that window's screen picture (0x00RRGGBB words),
// which a test reads back. Input comes from a script the test fills; pumpEvents delivers it
// in order to the window it names. The desktop's modes are a list the test may replace.
#include <deque>
#include <optional>
#include <vector>

#include "platform/display/DisplayDriver.h"

namespace plat {

class HeadlessWindow : public DisplayWindow {
public:
    HeadlessWindow(WindowHandle window, int32_t width, int32_t height, int bitsPerPixel, gdi::Point origin);
    gdi::Point clientOrigin() const override { return origin_; }
    // What the screen shows of the client area, row by row.
    uint32_t shownPixel(int32_t x, int32_t y) const { return shown_[size_t(y) * size_t(surface().width()) + size_t(x)]; }
    int presentCount() const { return presents_; }
    void bringToFront() override { ++raises_; }
    int bringToFrontCount() const { return raises_; }
    void setFullScreen(bool on, const gdi::Rect&) override { fullScreen_ = on; }
    bool fullScreen() const { return fullScreen_; }

protected:
    void show(const gdi::Rect& area) override;

private:
    gdi::Point origin_;
    std::vector<uint32_t> shown_;
    int presents_ = 0;
    int raises_ = 0;
    bool fullScreen_ = false;
};

class HeadlessDisplay : public DisplayDriver {
public:
    HeadlessDisplay();

    std::string name() const override { return "headless"; }
    std::vector<DisplayMode> modes() const override { return modes_; }
    // The first mode is the desktop's own.
    void setModes(std::vector<DisplayMode> modes) { modes_ = std::move(modes); }

    std::unique_ptr<DisplayWindow> openWindow(WindowHandle window, const std::string& title, int32_t width,
                                              int32_t height) override;
    void script(WindowHandle window, const InputEvent& event) { script_.push_back({window, event}); }
    void pumpEvents() override;
    void waitForInput(uint32_t) override {}

    void setCursor(cursor::CursorId cursor) override;
    cursor::CursorId currentCursor() const override { return current_; }
    // The picture of the made cursor shown, taken when it was set; null for a system cursor or none.
    const cursor::CursorImage* shownPicture() const { return shownPicture_ ? &*shownPicture_ : nullptr; }

protected:
    DisplayMode desktopMode() const override { return modes_.empty() ? DisplayMode{} : modes_.front(); }

private:
    struct Scripted {
        WindowHandle window;
        InputEvent event;
    };
    std::vector<DisplayMode> modes_;
    std::deque<Scripted> script_;
    cursor::CursorId current_ = cursor::kNoCursor;
    std::optional<cursor::CursorImage> shownPicture_;
    int32_t nextOrigin_ = 0;
};

}  // namespace plat
