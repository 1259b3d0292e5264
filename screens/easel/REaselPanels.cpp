// The tool option panel of the chosen toolbar button, and the screen's state after a panel or
// page change.
#include "app/application/RApplication.h"
#include "app/settings/GlobalUserSettings.h"
#include "document/clipboard/CCPObj.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "framework/undo/UndoManager.h"
#include "panels/pencil/RPencilPanel.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tools/base/RToolMgr.h"

namespace Ostrel {
namespace {

constexpr u16 kMenuPaste = 204;
constexpr u16 kMenuSoundCommand = 220;
constexpr u16 kMenuFlashCommand = 214;

}  // namespace

void REasel::SelectToolbar(i16 toolbar, u16 phase) {
    RApplication* app = GetApplication();
    if (phase <= kToolbarRelease) {
        if (app && app->GetUndoManager()) app->GetUndoManager()->ReleaseCurrent();
        rememberedToolbar_ = toolbar;
    }
    if (phase <= kToolbarBuild) BuildPanel(rememberedToolbar_);
    RefreshPageState();
    if (app) {
        if (CCPObj::AnyCanPaste())
            app->EnableMenuCommand(kMenuPaste);
        else
            app->DisableMenuCommand(kMenuPaste);
    }
}

void REasel::BuildPanel(i16 toolbar) {
    panel_.reset();
    startOverAvailable_ = 1;
    if (!canvas_) return;
    std::unique_ptr<RToolPanel> panel;
    switch (toolbar) {
        case 232:
            panel = std::make_unique<RPencilPanel>(this, UserPaths());
            break;
        default:
            // TODO(panels): the other families' panels arrive with their own issues.
            return;
    }
    panel->SetCanvasRect(canvas_->CanvasRect());
    panel->AddListener(canvas_->ToolManager());
    panel->AddListener(canvas_.get());
    panel->Init();
    panel_ = std::move(panel);
}

void REasel::RefreshPageState() {
    RPage* page = CurrentPage();
    RApplication* app = GetApplication();
    if (!page || !app) return;
    bool sound = false;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    while (page->Data().NextObjectSkipFlagged(&iterator, &object, kTypeAnyObject)) {
        sound |= object->Type() == kTypeSound;
    }
    if (sound)
        app->EnableMenuCommand(kMenuSoundCommand);
    else
        app->DisableMenuCommand(kMenuSoundCommand);
    // The Flash command needs the cut-and-move panel or an animation library panel, none of
    // which this screen builds yet.
    app->DisableMenuCommand(kMenuFlashCommand);
}

}  // namespace Ostrel
