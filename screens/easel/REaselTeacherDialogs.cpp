#include "screens/easel/REasel.h"

#include "app/dialogs/RCreateNoteDialog.h"
#include "app/dialogs/RLibPrefsDialog.h"
#include "app/menus/MenuCommands.h"
#include "app/window/RDisplayWindow.h"
#include "document/library/RLibraryMgr.h"
#include "document/pages/RPage.h"
#include "framework/panels/RPanel.h"

namespace Ostrel {

// The Teacher menu's page dialogs run modally over the main window on the current page.
void REasel::RunTeacherDialog(u16 command) {
    RDisplayWindow* window = RDisplayWindow::Get();
    RPage* page = CurrentPage();
    if (!window || !page) return;
    bool hasNote = false;
    // The menus of the page under the box must not answer while it is up.
    window->RunWithMenusGrayed([&] {
        switch (command) {
        case kCmdNote: hasNote = RCreateNoteDialog::Run(window, page->Data()); break;
        case kCmdManageLibraries:
            if (libraries_) RLibPrefsDialog::Run(window, page->Data(), *libraries_, this, panel_.get());
            break;
        default: break;
        }
    });
    if (command == kCmdNote) UpdateNoteMenuItem(hasNote);
}

}  // namespace Ostrel
