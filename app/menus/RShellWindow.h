#pragma once
// What the application asks of its main window: the menu bar's state for each screen and
// the menu commands' enabling. The main window (app/window) derives from this, so the
// application drives it without depending on the window's own library.
// User-interface thread only.
#include <string>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/windows/mfxDisplayWindow.h"

namespace Ostrel {

class RShellWindow : public mfxDisplayWindow {
public:
    // `menuBand`: the rows above the program's picture kept for the menu bar.
    RShellWindow(const std::string& title, const Rect16& rect, i16 menuBand = 0)
        : mfxDisplayWindow(title, rect, menuBand) {}

    // The menu bar is loaded once, when the first screen that has menus comes up.
    virtual bool IsMenuBarLoaded() const = 0;
    virtual void LoadMenuBar() = 0;
    // 128 the easel's menus, 129 the picker's.
    virtual void SetMenuMode(u16 menuId) = 0;
    // Grays (true) or enables the whole bar.
    virtual void SetMenuDisabled(bool disabled) = 0;
    virtual bool IsTeacherMenuShowing() const = 0;
    virtual void HideTeacherMenu() = 0;

    virtual bool IsMenuCommandEnabled(u16 command) const = 0;
    virtual void EnableMenuCommand(u16 command) = 0;
    virtual void DisableMenuCommand(u16 command) = 0;

    // Whether tool tips are switched on (Controls menu).
    virtual bool ToolTipsOn() const = 0;
};

}  // namespace Ostrel
