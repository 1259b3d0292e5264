#pragma once
// A window's menu bar: shows an mfxMenu along the top of the window's face (mfxMenuBarHeight
// pixels), takes the window's messages before they are dispatched, and turns accelerators and
// chosen items into the window's command message (kMsgCommand with the command in wParam,
// sent at once, so the window's command hook runs before the message that caused it returns).
//
// Before an accelerator is looked up and when the bar takes the keyboard or a press, the window
// gets kMsgInitMenu (sent at once) to bring the items' states up to date.
//
// PreTranslateMessage takes: a key pressed with Ctrl or Alt that is an accelerator; Alt
// pressed and released alone, F10, and every key while the bar has the keyboard; presses on
// the bar and every mouse message while a popup is open; and the window's paint message,
// which it lets the window handle first and then draws the bar over. Losing the user's focus
// closes the bar. While a popup is open the sprite screen stands still, so that nothing on the
// page is drawn over the popup. User-interface thread.
#include "engine/base/EngineTypes.h"
#include "engine/gfx/sprites/SprStill.h"
#include "framework/menus/mfxMenu.h"
#include "platform/ui/Messages.h"
#include "platform/widgets/MenuBar.h"

constexpr i32 mfxMenuBarHeight = plat::widgets::MenuBar::kHeight;

class mfxMenuBar {
public:
    explicit mfxMenuBar(plat::WindowHandle window);
    ~mfxMenuBar();
    mfxMenuBar(const mfxMenuBar&) = delete;
    mfxMenuBar& operator=(const mfxMenuBar&) = delete;

    // Shows the menu (null: no bar). The bar shares the menu's record, not the object.
    void SetMenu(const mfxMenu* menu);

    bool PreTranslateMessage(const plat::Message& message);
    // Follows the modifier keys of a key message that went elsewhere (a dialog's own loop took
    // it), so that no Ctrl released under a dialog stays held for the accelerators.
    void NoteModifiers(const plat::Message& message);
    // Marks the bar and any open popup for repainting.
    void Redraw();
    // Draws the bar and its open popups into the window's face and shows them.
    void Draw();

    const plat::widgets::MenuBar& Widget() const { return bar_; }

private:
    bool Translate(const plat::Message& message);
    void Repaint(const plat::gdi::Rect& area);
    void Choose(u16 command);
    void FollowPopups();
    bool TranslateKey(u8 key);

    plat::WindowHandle window_;
    std::shared_ptr<mfxMenu::Record> record_;
    plat::widgets::MenuBar bar_;
    u16 modifiers_ = 0;  // kAccel* bits of the modifier keys down
    bool swallowChar_ = false;
    SprStill still_;
};
