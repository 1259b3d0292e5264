#pragma once
// The program's only top-level window: the 800 x 600 picture the sprite layer composes, the
// menu bar (in rows of its own above the picture) and its commands, and the road of every mouse and key event to the registered
// input objects (dialogs and screens alike, in registry order; the newest registration, such
// as an open dialog, hears first). It broadcasts menu messages to its listeners (MenuMessages.h)
// and listens for a few messages of its own (WindowMessages.h).
//
// One instance, made by the application's start-up before the sprite layer; Get() finds it.
// It serves the one application (GetApplication) and the current screen, whose own offers to
// the menus (RMenuScreen) it finds at run time. The menu bar is loaded when the first easel or
// picker is shown. User-interface thread only.
#include <functional>
#include <memory>
#include <string>

#include "app/menus/MenuModeStates.h"
#include "app/menus/RMenuOwner.h"
#include "app/menus/RShellWindow.h"
#include "app/window/KeySignature.h"
#include "app/window/LoopPace.h"
#include "app/window/MenuMessages.h"
#include "app/window/ScreenKind.h"
#include "app/window/WindowMessages.h"
#include "framework/menus/mfxMenu.h"
#include "framework/messaging/CBroadcaster.h"
#include "framework/messaging/CListener.h"
#include "platform/gdi/Color.h"

namespace Ostrel {

class RMenuScreen;

constexpr FourCC kDisplayWindowTag = fourCC("DISW");

// The framework's About box.
constexpr u16 kAboutDialogId = 131;
constexpr u16 kAboutDialogFocusItem = 1001;

class RDisplayWindow : public RShellWindow, public CBroadcaster, public CListener, public RMenuOwner {
public:
    RDisplayWindow(const std::string& title, const Rect16& rect);
    ~RDisplayWindow() override;

    // The main window; null when none exists.
    static RDisplayWindow* Get();

    // Makes and opens the getting-started dialog for its owner; null when it could not open.
    // The program's entry registers it, as the dialogs build on the window.
    using DialogFactory = std::function<std::unique_ptr<CListener>(CListener* owner)>;
    static void SetGettingStartedFactory(DialogFactory factory);

    // Framework hooks.
    intptr_t WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    u32 OnClose() override;
    void OnPaint() override;
    u32 OnCommand(u32 command) override;
    void OnInitMenu() override;
    void OnTick(u32 now) override;
    u32 OnMouseDown(Point16 point, u32 buttons) override;
    u32 OnMouseUp(Point16 point, u32 buttons) override;
    u32 OnMouseMove(Point16 point, u32 buttons) override;
    u32 OnKeyDown(u32 key, u8 scanCode) override;
    u32 OnKeyUp(u32 key) override;
    void OnActivate(u32 state) override;
    // Invalidates the sprite layer's whole screen and tells every interested input object.
    void RedrawAll(u32 state);

    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    // Menus.
    // Loads menu resource 128, readies it (debug popup out, Teacher menu held or dropped with
    // "Publish" by [TBSEdSettings] "TBSEd") and attaches it. Once; later calls do nothing.
    void LoadMenuBar() override;
    bool IsMenuBarLoaded() const override { return menuLoaded_; }
    mfxMenu* Menu() { return menu_.get(); }
    // easel kMenuModeEasel (128) or picker kMenuModePicker (129).
    void SetMenuMode(u16 mode) override;
    u16 GetMode() const { return mode_; }
    void UpdateMenuTexts(u16 mode);
    // The page's note items after the note came or went (MenuModeStates.h, SetNoteItems).
    void UpdateNoteItems();
    // Every text of the bar in the current language (after a language switch).
    void BuildMenus();
    // Small-kids mode on the easel: only the language switch and the small-kids toggle stay.
    void EnableMenuItems(u16 flag);
    // Grays (1) or enables (0) the top-level menus.
    void SetMenuBarDisabled(u16 flag);
    void SetMenuDisabled(bool disabled) override { SetMenuBarDisabled(disabled ? 1 : 0); }
    u16 IsMenuDisabled() const { return menuDisabled_; }
    // Entering the splash or the slide-show player: the menus count as set.
    void ClearMenuDisabled(u16 screenFlag);
    void HideTeacherMenu() override;
    bool IsTeacherMenuShowing() const override { return teacherShowing_; }
    bool IsTeacherMenuEnabled() const { return teacherEnabled_; }
    // While a slide show plays the window is all show: the bar leaves its band, which turns
    // black like the show's surround, and comes back after. Nothing before the bar is loaded.
    void SetMenuBandShown(bool shown);
    // An in-window dialog of one of the menu owners closed: the menus of the current screen
    // come back (Part of the dialog base's clean-up).
    void RestoreMenusAfterDialog();
    // Runs a modal box over the window with the top-level menus grayed, and gives them back
    // after; a bar grayed already (the box opened from a dialog, as the login's About) stays so.
    void RunWithMenusGrayed(const std::function<void()>& run);

    bool IsMenuCommandEnabled(u16 command) const override;
    void EnableMenuCommand(u16 command) override;
    void DisableMenuCommand(u16 command) override;

    // Tool tips, switched by the Help menu.
    u16 GetToolTips() const { return toolTips_; }
    bool ToolTipsOn() const override { return toolTips_ != 0; }

    // The window's place as given to the constructor.
    Point16 GetOrigin() const { return {GetRect().left, GetRect().top}; }

    // The debug mode that a developer's key sequence switches; while it is on, the P key shows
    // the OpenGL renderer's vendor, renderer and version in an alert.
    bool IsDebugMode() const { return debugMode_; }

    // The dialog text field that has the focus listens here: the Edit menu's keys, which the
    // menu bar a dialog grays (or a bar not loaded yet) does not take, come to it as the
    // field's edit commands (cut, copy, paste), and undo takes back the field's own step.
    CBroadcaster& FieldCommands() { return fieldCommands_; }

    // The owned getting-started dialog, null when none is open.
    CListener* GettingStartedDialog() const { return gettingStarted_.get(); }

private:
    MenuModeContext MenuContext() const;
    ScreenKind Current() const;
    CListener* CurrentScreen() const;
    RMenuScreen* CurrentMenuScreen() const;
    std::string SettingsText(const char* section, const char* key) const;
    void RunShellCommand(u16 command);
    void ToggleSwitch(u16 command);
    void SwitchLanguage();
    // The Spanish keyboard while Spanish is chosen, and the English locale back with the
    // desktop's keyboard.
    void UseSpanishKeyboard();
    void GiveKeyboardBack();
    void ToggleTeacherMenu();
    void ShowTeacherMenu();
    void ShowAbout();
    void OpenGettingStarted();
    void OpenUserGuide();
    void KeySignatureStep(u8 character, u8 scanCode);
    // True when the key was one of the Edit menu's and a listening field took it.
    bool SendEditKeyToField(u32 key);
    // The menu bar's rows without a bar: plain before one is loaded (the splash, the login),
    // black while a show plays.
    void PaintMenuBand(plat::gdi::ColorRef colour);
    // The pointer's place on the desktop as a point of the picture.
    Point16 PicturePoint(Point16 pointer) const;
    // Runs the loop's timer at the period the pace gives, when that changed.
    void Pace(u32 period);
    // An input came: the loop keeps its busy pace, and what the input changes is shown once the
    // input waiting behind it has been handled.
    void AfterInput();

    std::unique_ptr<mfxMenu> menu_;
    bool menuLoaded_ = false;
    u16 mode_ = 0;
    u16 menuDisabled_ = 1;
    u16 toolTips_ = 1;
    mfxPopup teacher_;
    bool teacherShowing_ = false;
    bool teacherEnabled_ = false;
    // The program reads the keys through a layout of its own (the language switch made it).
    bool keyboardLayoutHeld_ = false;
    std::unique_ptr<CListener> gettingStarted_;
    std::unique_ptr<CListener> ownedDialog_;
    KeySignature signature_;
    bool debugMode_ = false;
    CBroadcaster fieldCommands_;
    LoopPace pace_;
    bool showPosted_ = false;
};

}  // namespace Ostrel
