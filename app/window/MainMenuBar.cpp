#include "app/window/MainMenuBar.h"

#include "app/menus/MenuCommands.h"
#include "app/window/MainMenuLayout.h"

namespace Ostrel {

mfxPopup LoadMainMenuBar(mfxMenu& menu, bool teacherMenuEnabled) {
    menu.RemoveSubMenu(kMenuDebug);
    mfxPopup teacher = menu.RemoveSubMenu(kMenuTeacher);
    if (teacherMenuEnabled) return teacher;
    menu.DeleteItem(mfxMenuCommand(kCmdSaveAs));
    return {};
}

void BuildMenuTexts(mfxMenu& menu, u16 mode, const MenuModeContext& context) {
    const MenuResource layout = MainMenuResource();
    const u16 shown = context.teacherMenuShowing ? kMenuTeacher : kMenuHelp;
    for (u16 position = kMenuFile; position <= shown; ++position) {
        const MenuPopupData& popup = layout.popups[position];
        menu.FormatAcceleratorText(mfxMenuPosition(position), context.texts(popup.title.key.c_str()));
        for (const MenuItemData& item : popup.items) {
            if (item.kind == MenuItemKind::Command && !item.text.key.empty())
                menu.FormatAcceleratorText(mfxMenuCommand(item.command), context.texts(item.text.key.c_str()));
            // A submenu has no command of its own: it is named through the first it holds.
            if (item.kind == MenuItemKind::Submenu && !item.text.key.empty() && !item.submenu.empty())
                for (const MenuItemData& inside : item.submenu.front().items)
                    if (inside.command != 0) {
                        menu.SetSubmenuText(inside.command, context.texts(item.text.key.c_str()));
                        break;
                    }
        }
    }
    if (context.teacherMenuShowing) FillTeacherMenu(menu, context);
    SetOnOffTexts(menu, context);
    SetScreenItemTexts(menu, mode, context);
}

}  // namespace Ostrel
