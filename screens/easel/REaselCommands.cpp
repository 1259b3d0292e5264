// The paint screen's message handler: its buttons, the main window's menu commands, the
// replies of its dialogs, and the messages of its canvas, pickers and panels.
#include "app/application/RApplication.h"
#include "app/application/ShellParts.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/dialogs/RNoteDlg.h"
#include "app/help/HelpContext.h"
#include "app/help/RHelp.h"
#include "app/settings/GlobalUserSettings.h"
#include "app/window/RDisplayWindow.h"
#include "document/clipboard/CCPObj.h"
#include "document/pages/RPage.h"
#include "framework/app/mfxApplication.h"
#include "framework/controls/RColorPicker.h"
#include "framework/controls/RTexturePicker.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/panels/RPanel.h"
#include "framework/undo/UndoManager.h"
#include "panels/base/RToolPanel.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tools/base/RToolMgr.h"
#include "tools/erasers/RDFirecracker2.h"

namespace Ostrel {
namespace {

constexpr u32 kMsgToolbarPhase = fourCC("tldn");
constexpr u32 kMsgCopyDialog = 271;
constexpr u32 kMsgCopyDialogReply = 272;
constexpr u16 kCopySprite = 7539;
constexpr u32 kCopySpriteFlags = 0x4C00000;
constexpr u32 kMsgDropPage = 5575;
constexpr u32 kMsgOpenProject = 5576;
constexpr u32 kMsgAdministrator = 5578;
constexpr u32 kMsgPanelsReadAgain = 18900;

bool passedToCanvas(u32 code) {
    if (code == kMsgPlaceObject) return true;
    if (code >= 6606 && code <= 6626 && code != 6622) return true;
    for (u32 c : {6628u, 6630u, 6632u, 6638u, 6640u, 6647u})
        if (code == c) return true;
    return code >= 6649 && code <= 6652;
}

bool isToolbar(u32 code) { return code >= 222 && code <= 237 && code != 226 && code != 231; }

}  // namespace

void REasel::SuspendCanvas() {
    if (canvas_) canvas_->SuspendClicks();
}

void REasel::ResumeCanvas() {
    if (canvas_) canvas_->ResumeClicks();
}

void REasel::EndStroke(u32 data) {
    if (!canvas_) return;
    if (RToolMgr* tools = canvas_->ToolManager(); tools && tools->IsTracking()) tools->InputEnd(data);
}

void REasel::FinishTool() {
    if (!canvas_) return;
    if (RToolMgr* tools = canvas_->ToolManager(); tools && tools->GetCurrentTool()) tools->FinishTool();
}

bool REasel::PageUnsaved() const {
    RPage* page = CurrentPage();
    return page && page->Data().IsDirty();
}

void REasel::ReleaseUndo() {
    if (RApplication* app = GetApplication(); app && app->GetUndoManager()) app->GetUndoManager()->ReleaseCurrent();
}

void REasel::DropPage() {
    if (!CurrentPage()) return;
    DetachPanelFromCanvas();
    // The page goes with what SetCurrentPage hands back.
    SetCurrentPage(nullptr);
}

void REasel::Save(uintptr_t param1, u16 kind) {
    StopAll();
    SuspendCanvas();
    EndStroke(0);
    SavePicture(kind);
    if (param1 == kScreenPicker) {
        // Only a saved page may be left behind on the way to the slide shows.
        if (!PageUnsaved()) {
            DropPage();
            ReleaseUndo();
            if (RApplication* app = GetApplication()) PostMessageTo(app, kScreenPicker);
        }
    }
    ResumeCanvas();
}

void REasel::NewPicture(u32 code) {
    StopAll();
    SuspendCanvas();
    if (SmallKids()) {
        AskPictureName();
        return;
    }
    FinishTool();
    if (PageUnsaved()) {
        AskToSave(245);
        return;
    }
    (void)code;
    RMessage fresh(kMsgNewPage, 0, 0);
    if (canvas_) canvas_->HandleMessage(&fresh, 0);
    UpdateNoteMenuItem(false);
}

void REasel::OpenPictureCommand(u32 code) {
    StopAll();
    // 247 and 250 come after the save question was answered.
    if ((code == 298 || code == 6644) && PageUnsaved()) {
        AskToSave(code == 298 ? 246 : 249);
        return;
    }
    if (code == 298 || code == 247) {
        if (ChoosePictureFile(3)) {
            if (canvas_) PostMessageTo(canvas_.get(), kMsgPlaySounds);
            if (RPage* page = CurrentPage()) page->Data().SetDirtyState(true);
        }
    } else {
        ChoosePictureFile(0);
    }
}

void REasel::StartHelp(uintptr_t data) {
    StopAll();
    SuspendCanvas();
    EndStroke(u32(data));
    help_.reset();
    help_ = std::make_unique<RHelp>(this, kEaselHelpName);
    const std::array<u16, 3>& sets = GetHelpContext().buttonSets;
    if (help_->Start(sets[0], sets[1], sets[2]) != 0) EndHelp();
}

void REasel::EndHelp() {
    // Help stays down while help mode is on.
    ReleaseButton(kHelpButton);
    help_.reset();
    ResumeCanvas();
}

void REasel::Quit() {
    StopAll();
    CCPObj::Clips().DeleteAllButBitmaps();
    if (mfxApplication* framework = mfxApplication::Get()) framework->Quit();
}

void REasel::GoToSlideShow() {
    if (!SlideShowsBuilt()) return;
    StopAll();
    SuspendCanvas();
    if (PageUnsaved()) {
        PostMessageTo(this, 264, 5567);
        return;
    }
    DetachPanelFromCanvas();
    panel_.reset();
    SetCurrentPage(nullptr);
    ReleaseUndo();
    if (RApplication* app = GetApplication()) PostMessageTo(app, kScreenPicker);
}

void REasel::SmallKidsChanged() {
    StopAll();
    const bool small = SmallKids();
    RDisplayWindow* window = RDisplayWindow::Get();
    if (small) {
        if (window) window->EnableMenuItems(1);
    } else if (window) {
        window->UpdateMenuTexts(128);
    }
    ShowSmallKidsButtons(small);
    BuildColorPicker();
    if (panel_) {
        RMessage again(kMsgPanelsReadAgain, 0, 0);
        panel_->HandleMessage(&again, 0);
    }
    // The text panel and the alphabet panel stand for each other; they come with their own
    // panels, which this screen builds when they exist.
}

u32 REasel::HandleMessage(RMessage* message, uintptr_t data) {
    // While the page-erase effect runs, the screen hears nothing.
    if (firecracker_ && firecracker_->IsBusy()) return 0;
    return HandleCommand(message, data);
}

u32 REasel::HandleCommand(RMessage* message, uintptr_t data) {
    const u32 code = message->code;
    RApplication* app = GetApplication();
    if (isToolbar(code)) {
        StopAll();
        ShowToolbarChosen(code);
        if (i16(code) != toolbar_) {
            toolbar_ = i16(code);
            SelectToolbar(toolbar_, kToolbarRelease);
        }
        return 0;
    }
    if (passedToCanvas(code)) {
        StopAll();
        return canvas_ ? canvas_->HandleMessage(message, data) : 0;
    }
    if (code >= 325 && code <= 344) {
        ShowToolTipFor(code, message->param2);
        return 0;
    }
    switch (code) {
        case kMsgButtonSelected:
        case kMsgButtonLatched:
            ReleaseButtonGroup(buttons_, u16(message->param2), reinterpret_cast<const RHotSpotItem*>(message->param1));
            return 0;
        case 238:
            StopAll();
            OpenTexturePicker();
            return 0;
        case 239:
            StartHelp(data);
            return 0;
        case kMsgHelpFinished:
            EndHelp();
            return 0;
        case 242:
        case 6627:
            Print();
            return 0;
        case 243:
            StartPlaying();
            return 0;
        case 244:
            StopPlaying();
            return 0;
        case 245:
        case 285:
            NewPicture(code);
            return 0;
        case 247:
        case 250:
        case 298:
        case 6644:
            OpenPictureCommand(code);
            return 0;
        case 248: {
            RMessage fresh(kMsgNewPage, 0, 0);
            if (canvas_) canvas_->HandleMessage(&fresh, 0);
            UpdateNoteMenuItem(false);
            return 0;
        }
        case 251:
        case 256:
        case 257:
        case 258:
        case 259:
        case 262:
            SaveQuestionAnswered(code, reinterpret_cast<RDlgBase*>(message->param1));
            return 0;
        case 260:
            Undo();
            return 0;
        case 261:
            if (message->param2 == 1)
                if (SprSprite* sprite = sprFind(undoSprite_); sprite && (sprite->shape < 1083 || sprite->shape > 1102))
                    sprSetShape(sprite, 1103, nullptr, 0);
            return 0;
        case 263:
            SmallKidsChanged();
            return 0;
        case 264:
            AskToSave(u32(message->param1));
            return 0;
        case 265:
            if (message->param2 == 1704 && canvas_) {
                RMessage fresh(kMsgNewPage, 0, 1704);
                canvas_->HandleMessage(&fresh, data);
            }
            return 0;
        case 266:
            StartOver();
            // Start Over stays down while its effect runs.
            if (!firecracker_) ReleaseButton(kStartOverButton);
            return 0;
        case 267:
        case 268:
            StopAll();
            SuspendCanvas();
            FinishTool();
            if (PageUnsaved())
                AskToSave(269);
            else
                PostMessageTo(this, 269);
            return 0;
        case 269:
            Quit();
            return 0;
        case 270:
        case kScreenPicker:
            ReleaseButton(kSlideShowButton);
            GoToSlideShow();
            return 0;
        case kMsgCopyDialog:
            SuspendCanvas();
            warning_ = std::make_unique<RDlgWarnings>(this, kMsgCopyDialogReply);
            if (warning_->Run(kWarningsContent, kWarningsLayout) != 1) {
                copySprite_ = sprNew(kCopySpriteFlags, kCopySprite, nullptr);
                if (copySprite_ == kSprNoId) copySprite_ = 0;
                if (SprSprite* sprite = sprFind(copySprite_)) {
                    sprSetLayerById(copySprite_, 1, warning_->GetRootSprite());
                    sprShow(sprite, 0);
                }
            }
            return 0;
        case kMsgCopyDialogReply:
            if (copySprite_) sprDispose(&copySprite_);
            copySprite_ = 0;
            warning_.reset();
            ResumeCanvas();
            return 0;
        case kMsgPageStateChanged:
            RefreshPageState();
            return 0;
        case 281:
        case 282:
        case 6604:
            Save(message->param1, 1);
            return 0;
        case 6655:
            Save(message->param1, 13);
            return 0;
        case 290:
        case 291:
            if (swatchHotSpot_) {
                if (code == 291)
                    swatchHotSpot_->Enable();
                else
                    swatchHotSpot_->Disable();
            }
            return 0;
        case 292:
            SetPanelButtonsEnabled(message->param2 != 0);
            return 0;
        case 296:
            ShowNote();
            return 0;
        case kDlgKindNote:
            noteDialog_.reset();
            ResumeCanvas();
            return 0;

        case 666:
            if (message->param2 == 1) OpenColorPicker();
            return 0;
        case kDestructoFinished:
            ReleaseButton(kStartOverButton);
            firecracker_.reset();
            UpdateInputRegistration();
            SetPanelButtonsEnabled(true);
            return 0;
        case 1444:
            PictureNamed(reinterpret_cast<RDlgBase*>(message->param1));
            return 0;
        case kMsgTextureChosen:
            texture_ = message->param2;
            CloseTexturePicker();
            return 0;
        case kMsgTexturePickerClosed:
            CloseTexturePicker();
            return 0;
        case 5569:
        case 5574:
            return panel_ ? panel_->HandleMessage(message, data) : 0;
        case kMsgDropPage:
            StopAll();
            DropPage();
            return 0;
        case kMsgOpenProject:
        case kMsgAdministrator:
            StopAll();
            if (PageUnsaved()) {
                pendingProjectCode_ = code;
                AskToSave(279);
            } else if (app) {
                RMessage open(code, 265, 1);
                app->HandleMessage(&open, 0);
            }
            return 0;
        case 6603:
            StopAll();
            PostMessageTo(this, 245);
            return 0;
        case 6605:
            StopAll();
            if (canvas_) canvas_->RedrawPage(reinterpret_cast<RPage*>(message->param1), 1);
            return 0;
        case kMsgColorPickerClosed:
            CloseColorPicker();
            return 0;
        case kMsgColorSet:
        case kMsgColorChosen:
            ColorChosen(message, data);
            return 0;
        case kMsgToolbarPhase:
            SelectToolbar(rememberedToolbar_, message->param2);
            return 0;
        default:
            return RModule::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
