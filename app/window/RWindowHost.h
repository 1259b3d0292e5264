#pragma once
// What the main window needs of the application it serves: the current screen, the user's
// switches and the few objects its menu commands reach. The application implements it and
// hands itself to the window; until then the window acts as if no screen were current.
// User-interface thread only.
#include <memory>

#include "app/settings/GlobalUserSettings.h"
#include "app/window/ScreenKind.h"
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/messaging/CListener.h"

namespace Ostrel {

class UndoManager;

class RWindowHost {
public:
    virtual ~RWindowHost() = default;

    virtual ScreenKind CurrentScreenKind() const = 0;
    // The current screen's message handler; null when there is none.
    virtual CListener* CurrentScreen() const = 0;
    // The application's own message handler.
    virtual CListener* ApplicationListener() = 0;
    // The current user's switches; null while no user is current.
    virtual GlobalUserSettings* UserSettings() const = 0;
    // The user was logged in by the set-up's [Setup] "LoginAs".
    virtual bool LoggedInFromConfiguration() const = 0;
    virtual UndoManager* Undo() const = 0;
    // The application's tool-sound word takes the switch's new value (0 or 1).
    virtual void SetToolSounds(u16 on) = 0;

    // The easel's current tool panel when it is the text panel; null otherwise.
    virtual CListener* TextPanel() const { return nullptr; }
    // The easel's current page has a teacher's note.
    virtual bool PageHasNote() const { return false; }
    // On the easel, when the canvas says a click (null: a menu command) misses the active edit
    // frame, the canvas deselects first. True when that took the click and it lies in the
    // canvas, so that nothing else hears it.
    virtual bool DeselectMissedEditFrame(const Point16* click) {
        (void)click;
        return false;
    }
    // The Teacher menu's page dialogs (manage libraries, the teacher's note) on the easel.
    virtual void RunTeacherDialog(u16 command) { (void)command; }
    // Makes and opens the getting-started dialog for `owner`; null when it could not open.
    virtual std::unique_ptr<CListener> OpenGettingStarted(CListener* owner) {
        (void)owner;
        return nullptr;
    }
    // Sets the menus for a screen code (5570 the slide-show player, 5571 the splash) after an
    // in-window dialog closed there.
    virtual void SetMenusForScreen(u16 screenCode) { (void)screenCode; }
    // The language changed: the screens redraw their texts.
    virtual void LanguageChanged() {}
};

}  // namespace Ostrel
