#pragma once
// Which commands of the main window's menu bar a child may use on each screen, and the texts
// of the on/off items, which name the action they would take.
#include <functional>
#include <string>

#include "app/settings/GlobalUserSettings.h"
#include "engine/base/EngineTypes.h"

class mfxMenu;

namespace Ostrel {

constexpr u16 kMenuModeEasel = 128;
constexpr u16 kMenuModePicker = 129;

struct MenuModeContext {
    // (key in [MenuStrings]) → text.
    std::function<std::string(const char* key)> texts;
    const GlobalUserSettings* settings = nullptr;
    u16 toolTips = 1;
    bool loggedInFromConfiguration = false;
    bool teacherMenuEnabled = false;  // by the configuration
    bool teacherMenuShowing = false;
    bool pageHasNote = false;
    // The page shown is kept in a picture file of its own and has not changed since.
    bool pageSavedAsIs = false;
    // Whether the screen that "Go To" switches to is there to switch to.
    bool otherScreenBuilt = false;
};

// Enables and grays the items of the mode (kMenuModeEasel or kMenuModePicker) and sets the
// on/off texts; nothing without a settings record.
void UpdateMenuTexts(mfxMenu& menu, u16 mode, const MenuModeContext& context);
// Small-kids mode on the easel: only the language switch and the small-kids toggle stay.
void EnableSmallKidsMenuItems(mfxMenu& menu, const MenuModeContext& context);
// Grays (or enables again) the top-level menus while a dialog is up; the Teacher menu only
// while it shows, and never on the picker.
void SetMenuBarDisabled(mfxMenu& menu, bool disabled, u16 mode, const MenuModeContext& context);
// Sets the texts of the on/off items from the switches.
void SetOnOffTexts(mfxMenu& menu, const MenuModeContext& context);
// The items whose words follow the screen: File's first item makes a new picture on the easel and
// a new slide show on the picker, and "Go To" names the other screen.
void SetScreenItemTexts(mfxMenu& menu, u16 mode, const MenuModeContext& context);
// Puts the Teacher popup's item texts in place; "EditNote" when the page has a note.
void FillTeacherMenu(mfxMenu& menu, const MenuModeContext& context);
// The easel's page note items: View Teacher's Note usable while the page has a note (not in
// small-kids mode), and the Teacher menu's "AddNote" or "EditNote" while that menu shows.
void SetNoteItems(mfxMenu& menu, u16 mode, const MenuModeContext& context);
// "Publish" (there only with the Teacher menu) saves a finished picture under a new name: it
// is offered while the easel's page is saved as it stands, never in small-kids mode.
void SetPublishItem(mfxMenu& menu, const MenuModeContext& context);

}  // namespace Ostrel
