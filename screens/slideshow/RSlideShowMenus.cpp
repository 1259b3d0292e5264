// The player takes the menus and their bar off the window while the show plays, and the window
// covers the whole screen; both come back after.
#include "app/application/RApplication.h"
#include "app/menus/MenuCommands.h"
#include "app/window/RDisplayWindow.h"
#include "framework/language/LanguageTexts.h"
#include "platform/display/DisplayWindow.h"
#include "screens/slideshow/RSlideShowModule.h"

namespace Ostrel {

namespace {

constexpr const char* kMenuTitleKeys[] = {"File", "Edit", "Add", "Toolbox", "Controls", "Help", "Teacher"};

RDisplayWindow* mainWindow() {
    const RApplication* app = GetApplication();
    return app ? dynamic_cast<RDisplayWindow*>(app->GetMainWindow()) : nullptr;
}

}  // namespace

void RSlideShowModule::SetMenusHidden(bool hidden) {
    if (hidden == menusHidden_) return;
    RDisplayWindow* window = mainWindow();
    mfxMenu* menu = window && window->IsMenuBarLoaded() ? window->Menu() : nullptr;
    if (!menu) return;
    menusHidden_ = hidden;
    if (hidden) {
        // The Teacher menu is on the bar only while a teacher has it shown.
        teacherHeld_ = window->IsTeacherMenuShowing();
        for (i32 position = teacherHeld_ ? kMenuTeacher : kMenuHelp; position >= kMenuFile; --position)
            menus_[size_t(position)] = menu->RemoveSubMenu(u16(position));
    } else {
        const u16 last = teacherHeld_ && window->IsTeacherMenuShowing() ? kMenuTeacher : kMenuHelp;
        for (u16 position = kMenuFile; position <= last; ++position)
            if (!menus_[position].IsEmpty())
                menu->InsertSubMenu(position, LookupLanguageText("MenuStrings", kMenuTitleKeys[position]).c_str(),
                                    menus_[position]);
        menus_ = {};
    }
    // The show covers the whole window, the bar's band too, and the window the whole screen:
    // on a screen larger than the show, the show sits in its middle on black.
    window->SetMenuBandShown(!hidden);
    menu->RedrawMenuBars();
    const Rect16 picture = window->ContentRect();
    if (plat::DisplayWindow* face = window->GetFace())
        face->setFullScreen(hidden, plat::gdi::Rect{picture.left, picture.top, picture.right, picture.bottom});
}

}  // namespace Ostrel
