#pragma once
// The menu bar drawn along the top of a window's surface, with its open popups. It is a
// state machine driven by the window's key and mouse messages: Alt (pressed and released
// alone) or F10 selects the bar; Left and Right move between titles, Down or Enter opens a
// popup, Up and Down move in it, Right opens a submenu and Left closes it, Enter chooses,
// Escape steps back one level. A press on a title opens its popup; releasing over an item
// chooses it; a press outside closes everything, and so does Escape on a popup the pointer
// opened: a bar the user never selected from the keyboard must not keep the keyboard. Grayed titles and items cannot be opened or
// chosen. A chosen command goes to the `choose` callback after the bar has closed.
//
// The bar reads the model at every step, so the model may change between messages; it calls
// `repaint` with each area whose pixels changed, and draws with `draw`. User-interface thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/widgets/MenuModel.h"

namespace plat::widgets {

class MenuBar {
public:
    static constexpr int32_t kHeight = 20;

    MenuBar(std::function<void(uint16_t command)> choose, std::function<void(const gdi::Rect& area)> repaint);

    void setModel(std::shared_ptr<const MenuModel> model);
    void setWidth(int32_t width) { width_ = width; }
    // Asks for the whole bar to be drawn again (the model changed); closes what the change
    // took away.
    void redraw();

    // Each answers true when the bar took the event; the window then does nothing more with it.
    bool keyDown(uint8_t virtualKey);
    bool keyUp(uint8_t virtualKey);
    bool mouseDown(gdi::Point at);
    bool mouseMove(gdi::Point at);
    bool mouseUp(gdi::Point at);

    // True while the bar has the keyboard (a title is selected or a popup open).
    bool active() const { return selectedTitle_ >= 0; }
    int openTitle() const { return open_.empty() ? -1 : selectedTitle_; }
    int selectedTitle() const { return selectedTitle_; }
    // The highlighted item of the innermost open popup, -1 when none.
    int highlightedItem() const { return open_.empty() ? -1 : open_.back().highlighted; }
    int openDepth() const { return int(open_.size()); }
    void close();

    gdi::Rect titleRect(int title) const;
    gdi::Rect popupRect(int depth) const;
    gdi::Rect itemRect(int depth, int item) const;
    void draw(gdi::DeviceContext& dc) const;

private:
    struct OpenPopup {
        std::shared_ptr<const MenuPopup> popup;
        gdi::Point origin;
        int highlighted = -1;
    };

    bool stillShown() const;
    const MenuPopup* titlePopup(int title) const;
    int titleCount() const;
    int titleAt(gdi::Point at) const;
    bool hitPopup(gdi::Point at, int* depth, int* item) const;
    void selectTitle(int title, bool openIt);
    void openSubmenu();
    void closeSubmenu();
    void moveHighlight(int step);
    void moveTitle(int step);
    void chooseHighlighted();
    void repaintAll();
    void drawPopup(gdi::DeviceContext& dc, int depth) const;

    std::function<void(uint16_t)> choose_;
    std::function<void(const gdi::Rect&)> repaint_;
    std::shared_ptr<const MenuModel> model_;
    int32_t width_ = 800;
    int selectedTitle_ = -1;
    std::vector<OpenPopup> open_;
    bool altAlone_ = false;
    // The bar was entered by a press on a title rather than from the keyboard.
    bool byPointer_ = false;
};

}  // namespace plat::widgets
