#include "framework/menus/mfxMenuBar.h"

#include "framework/dialogs/mfxDialogHost.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/widgets/WidgetPaint.h"
#include "tests/framework/WindowFixture.h"

namespace {

using testfw::WindowTest;
using Kind = plat::InputEvent::Kind;

const plat::widgets::MenuBar& bar(const testfw::FrameworkWindow& w) { return w.GetMenuBar()->Widget(); }

TEST_F(WindowTest, CtrlSReachesTheCommandHookThroughTheAccelerator) {
    key(plat::kVkControl, true);
    press('S');
    key(plat::kVkControl, false);
    pump();
    EXPECT_EQ(window->commands, std::vector<u32>{102});
    EXPECT_EQ(window->heard('S') + window->heard('s') + window->heard(0x13), 0) << "the accelerator's key is not handed on";
}

TEST_F(WindowTest, AKeyWithoutControlIsTheWindowsOwn) {
    press('S');
    key(plat::kVkControl, true);
    key(plat::kVkControl, false);
    press('S');
    pump();
    EXPECT_TRUE(window->commands.empty());
    EXPECT_EQ(window->heard('s'), 2);
}

TEST_F(WindowTest, AGrayedItemsAcceleratorDoesNothing) {
    menu.EnableItem(mfxMenuCommand(102), false);
    key(plat::kVkControl, true);
    press('S');
    key(plat::kVkControl, false);
    pump();
    EXPECT_TRUE(window->commands.empty());
}

// A dialog's own loop takes the keys while it is up (Ctrl+S's save dialog): a Ctrl released
// there is released for the accelerators too, so the next letter is the window's own.
TEST_F(WindowTest, ACtrlReleasedUnderADialogIsNoLongerHeld) {
    key(plat::kVkControl, true);
    pump();
    plat::widgets::DialogBox box("Save", 200, 100, {});
    mfxDialogHost host(window->GetHandle(), box);
    host.Show();
    key(plat::kVkControl, false);
    EXPECT_FALSE(host.Pump([] { return false; })) << "the scripted keys ran out";
    host.Hide();
    press('S');
    pump();
    EXPECT_TRUE(window->commands.empty());
    EXPECT_EQ(window->heard('s'), 1);
}

// States the window does not follow as they change are set as the menu is about to be used: an
// accelerator sees them, and so does a menu the keys or the pointer open; nothing else asks.
TEST_F(WindowTest, TheWindowSetsItsItemsBeforeTheMenuIsUsed) {
    const i32 kBarBottom = mfxMenuBarHeight;
    struct Case {
        const char* what;
        std::function<void()> act;
        bool checked;
        std::vector<u32> commands;
    };
    const std::vector<Case> cases = {
        {"Ctrl+Z", [&] { key(plat::kVkControl, true); press('Z'); key(plat::kVkControl, false); }, true, {201}},
        {"Alt alone", [&] { press(plat::kVkAlt); }, true, {}},
        {"F10", [&] { press(plat::kVkF10); }, true, {}},
        {"a press on a title", [&] { mouse(Kind::MouseDown, bar(*window).titleRect(1)); }, true, {}},
        {"a press on the bar's last row", [&] { mouse(Kind::MouseDown, {300, kBarBottom - 1, 300, kBarBottom - 1}); }, true, {}},
        {"a press just below the bar", [&] { mouse(Kind::MouseDown, {300, kBarBottom, 300, kBarBottom}); }, false, {}},
        {"a plain key", [&] { press('Z'); }, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        menu.EnableItem(mfxMenuCommand(201), false);
        window->onMenuCheck = [&] {
            menu.EnableItem(mfxMenuCommand(201), true);
            menu.EnableItem(mfxMenuCommand(204), true);
        };
        c.act();
        pump();
        EXPECT_EQ(window->menuChecks > 0, c.checked);
        EXPECT_EQ(menu.IsItemEnabled(mfxMenuCommand(204)), c.checked);
        EXPECT_EQ(window->commands, c.commands) << "an accelerator sees the item the check enabled";
    }
}

TEST_F(WindowTest, KeyboardWalksTheBarIntoASubmenu) {
    struct Step {
        uint8_t key;
        int selectedTitle;
        int depth;
        int highlighted;
    };
    const Step steps[] = {
        {plat::kVkF10, 0, 0, -1},   {plat::kVkRight, 1, 0, -1}, {plat::kVkDown, 1, 1, 0},
        {plat::kVkDown, 1, 1, 1},   {plat::kVkDown, 1, 1, 2},   {plat::kVkRight, 1, 2, 0},
        {plat::kVkLeft, 1, 1, 2},   {plat::kVkRight, 1, 2, 0},  {plat::kVkDown, 1, 2, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(int(s.key));
        press(s.key);
        pump();
        EXPECT_EQ(bar(*window).selectedTitle(), s.selectedTitle);
        EXPECT_EQ(bar(*window).openDepth(), s.depth);
        EXPECT_EQ(bar(*window).highlightedItem(), s.highlighted);
    }
    press(plat::kVkReturn);
    pump();
    EXPECT_EQ(window->commands, std::vector<u32>{402});
    EXPECT_FALSE(bar(*window).active());
}

TEST_F(WindowTest, AltAloneSelectsTheBarAndEscapeStepsBack) {
    press(plat::kVkAlt);
    pump();
    EXPECT_EQ(bar(*window).selectedTitle(), 0);
    press(plat::kVkDown);
    pump();
    EXPECT_EQ(bar(*window).openDepth(), 1);
    press(plat::kVkEscape);
    pump();
    EXPECT_EQ(bar(*window).openDepth(), 0);
    EXPECT_EQ(bar(*window).selectedTitle(), 0);
    press(plat::kVkEscape);
    pump();
    EXPECT_FALSE(bar(*window).active());
    EXPECT_EQ(window->heard(plat::kVkEscape), 0) << "keys taken by the bar are not the window's";
    EXPECT_EQ(window->heard(plat::kVkDown), 0);
}

// A popup the pointer opened: Escape leaves the bar altogether, its title drawn at rest, and
// the keyboard goes back to the window.
TEST_F(WindowTest, EscapeOnAPopupThePointerOpenedLeavesTheBar) {
    struct Case {
        const char* name;
        int slideTo;  // -1: stay on the clicked title
    };
    for (const Case& c : {Case{"a click on a title", -1}, Case{"sliding to the next title", 1}}) {
        SCOPED_TRACE(c.name);
        const plat::gdi::Rect title = bar(*window).titleRect(c.slideTo < 0 ? 0 : c.slideTo);
        pump();
        const uint32_t atRest = shown({title.left + 1, title.top + 1});
        click(bar(*window).titleRect(0));
        if (c.slideTo >= 0) mouse(Kind::MouseMove, title);
        pump();
        ASSERT_EQ(bar(*window).openTitle(), c.slideTo < 0 ? 0 : c.slideTo);
        ASSERT_NE(shown({title.left + 1, title.top + 1}), atRest) << "the open title is lit";
        press(plat::kVkEscape);
        pump();
        EXPECT_FALSE(bar(*window).active());
        EXPECT_EQ(shown({title.left + 1, title.top + 1}), atRest);
        press('S');
        pump();
        EXPECT_EQ(window->heard('s'), 1) << "the next key is the window's";
        window->keys.clear();
    }
}

TEST_F(WindowTest, UpWrapsAndSeparatorsAreSkipped) {
    press(plat::kVkF10);
    press(plat::kVkDown);  // File opens on New
    press(plat::kVkDown);  // Save As
    press(plat::kVkDown);  // past the separator to Exit
    pump();
    EXPECT_EQ(bar(*window).highlightedItem(), 3);
    press(plat::kVkDown);
    pump();
    EXPECT_EQ(bar(*window).highlightedItem(), 0) << "wraps to the top";
    press(plat::kVkUp);
    pump();
    EXPECT_EQ(bar(*window).highlightedItem(), 3);
}

TEST_F(WindowTest, MouseOpensATitleAndChoosesOnRelease) {
    const plat::gdi::Rect edit = bar(*window).titleRect(1);
    mouse(Kind::MouseDown, edit);
    pump();
    EXPECT_EQ(bar(*window).openTitle(), 1);
    mouse(Kind::MouseUp, edit);
    pump();
    EXPECT_EQ(bar(*window).openTitle(), 1) << "releasing on the title leaves the popup open";
    click(bar(*window).itemRect(0, 0));
    pump();
    EXPECT_EQ(window->commands, std::vector<u32>{201});
    EXPECT_FALSE(bar(*window).active());
}

TEST_F(WindowTest, GrayedItemsAndClicksOutsideChooseNothing) {
    click(bar(*window).titleRect(1));
    pump();
    click(bar(*window).itemRect(0, 1));  // Paste is grayed
    pump();
    EXPECT_TRUE(window->commands.empty());
    EXPECT_EQ(bar(*window).openTitle(), 1);
    click({300, 250, 302, 252});
    pump();
    EXPECT_FALSE(bar(*window).active());
    EXPECT_TRUE(window->commands.empty());
}

TEST_F(WindowTest, TheOpenPopupIsDrawnWithItsHighlight) {
    press(plat::kVkF10);
    press(plat::kVkDown);
    pump();
    const plat::gdi::Rect lit = bar(*window).itemRect(0, 0);
    const plat::gdi::Rect next = bar(*window).itemRect(0, 1);
    EXPECT_EQ(shown({lit.left + 2, lit.top + 1}), 0x0A246Au) << "the highlighted item";
    EXPECT_EQ(shown({next.left + 2, next.top + 1}), 0xD4D0C8u) << "an item at rest";
    EXPECT_EQ(shown({390, 2}), 0xD4D0C8u) << "the bar runs the window's width";
    press(plat::kVkEscape);
    press(plat::kVkEscape);
    pump();
    EXPECT_EQ(shown({lit.left + 2, lit.top + 1}), 0u) << "the window painted over the closed popup";
}


TEST_F(WindowTest, ChangesUnderAnOpenMenuCloseWhatTheyTookAway) {
    struct Case {
        const char* name;
        uint8_t opening;  // Down highlights Undo, the first item; Up the submenu, the last
        std::function<void(mfxMenu&)> change;
        bool stillOpen;
    };
    const Case cases[] = {
        {"a text changes", plat::kVkUp, [](mfxMenu& m) { m.FormatAcceleratorText(mfxMenuCommand(204), "Pegar"); }, true},
        {"an item after the highlight goes", plat::kVkDown, [](mfxMenu& m) { m.DeleteItem(mfxMenuCommand(204)); }, true},
        {"the highlighted item's place goes", plat::kVkUp, [](mfxMenu& m) { m.DeleteItem(mfxMenuCommand(204)); }, false},
        {"the open popup leaves the bar", plat::kVkUp, [](mfxMenu& m) { m.RemoveSubMenu(1); }, false},
        {"a popup before it leaves the bar", plat::kVkUp, [](mfxMenu& m) { m.RemoveSubMenu(0); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        menu.SetFromResource(testfmt::sampleMenu());
        press(plat::kVkF10);
        press(plat::kVkRight);
        press(c.opening);
        pump();
        ASSERT_EQ(bar(*window).highlightedItem(), c.opening == plat::kVkDown ? 0 : 2);
        c.change(menu);
        EXPECT_EQ(bar(*window).openDepth() == 1, c.stillOpen);
        press(plat::kVkReturn);
        press(plat::kVkEscape);
        press(plat::kVkEscape);
        press(plat::kVkEscape);
        pump();
        const std::vector<u32> chosen = c.stillOpen && c.opening == plat::kVkDown ? std::vector<u32>{201} : std::vector<u32>{};
        EXPECT_EQ(window->commands, chosen) << "only what is still shown can be chosen";
        window->commands.clear();
    }
}

TEST_F(WindowTest, MovingOverTheOpenBarFollowsThePointer) {
    click(bar(*window).titleRect(0));
    pump();
    mouse(plat::InputEvent::Kind::MouseMove, bar(*window).itemRect(0, 3));
    pump();
    EXPECT_EQ(bar(*window).highlightedItem(), 3);
    mouse(plat::InputEvent::Kind::MouseMove, bar(*window).itemRect(0, 2));
    pump();
    EXPECT_EQ(bar(*window).highlightedItem(), -1) << "a separator is not highlighted";
    mouse(plat::InputEvent::Kind::MouseMove, bar(*window).titleRect(1));
    pump();
    EXPECT_EQ(bar(*window).openTitle(), 1) << "sliding onto another title opens it";
    click(bar(*window).itemRect(0, 2));  // the submenu item opens its popup
    pump();
    ASSERT_EQ(bar(*window).openDepth(), 2);
    click(bar(*window).itemRect(1, 1));
    pump();
    EXPECT_EQ(window->commands, std::vector<u32>{402});
}


TEST_F(WindowTest, LosingTheFocusClosesAnOpenMenu) {
    click(window->bar().Widget().titleRect(0));
    pump();
    ASSERT_EQ(window->bar().Widget().openTitle(), 0);
    plat::postAppActivation(true);
    pump();
    EXPECT_EQ(window->bar().Widget().openTitle(), 0);
    plat::postAppActivation(false);
    pump();
    EXPECT_FALSE(window->bar().Widget().active());
}

}  // namespace
