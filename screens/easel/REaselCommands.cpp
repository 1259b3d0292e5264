#include "screens/easel/REaselCommands.h"

#include "app/application/NewPageEntry.h"
#include "app/application/RApplication.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/export/RExportCommand.h"
#include "app/dialogs/RNoteDlg.h"
#include "app/help/HelpContext.h"
#include "app/help/RHelp.h"
#include "app/window/MenuMessages.h"
#include "document/clipboard/CCPObj.h"
#include "document/pages/RPage.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/app/mfxApplication.h"
#include "framework/controls/RColorPicker.h"
#include "framework/controls/RTexturePicker.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/panels/RPanel.h"
#include "panels/alphabet/RAlphaPanel.h"
#include "panels/base/ToolPanelCommands.h"
#include "panels/text/RTextPanel.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tools/erasers/RDFirecracker2.h"
#include "tools/erasers/RDestructo.h"

namespace Ostrel {
namespace {

constexpr u16 kCopySprite = 7539;
constexpr u32 kCopySpriteFlags = 0x4C00000;

// The Open commands and the commands that continue them after the save question: a picture of
// the idea machine or any picture.
PendingAction openedBy(u32 code) {
    return code == kMsgMenuIdeaMachine || code == kEaselContinueOpenIdea ? PendingAction::OpenIdea
                                                                         : PendingAction::OpenFromMenu;
}

}  // namespace

// Each entry is a span of codes, a single code a span of one; no two spans overlap. 226 and
// 231 are no toolbar button, and kMsgMenuSayItThisWay, inside the canvas's span, is the text
// panel's.
const REaselCommands::Entry REaselCommands::kCommands[] = {
    {kEaselToolbarStickers, kEaselToolbarSounds, &REaselCommands::ToolbarChosen},
    {kEaselToolbarGrab, kEaselToolbarWacky, &REaselCommands::ToolbarChosen},
    {kEaselToolbarPencil, kEaselToolbarMixer, &REaselCommands::ToolbarChosen},
    {kMsgPlaceObject, kMsgPlaceObject, &REaselCommands::ToCanvas},
    {kMsgStopMedia, kMsgMenuExport - 1, &REaselCommands::ToCanvas},
    {kMsgMenuExport, kMsgMenuExport, &REaselCommands::Export},
    {kMsgMenuExport + 1, kMsgMenuSayItThisWay - 1, &REaselCommands::ToCanvas},
    {kMsgMenuSayItThisWay + 1, kMsgSpeakLastText, &REaselCommands::ToCanvas},
    {kMsgAbcText, kMsgAbcText, &REaselCommands::ToCanvas},
    {kMsgBackgroundColor, kMsgBackgroundColor, &REaselCommands::ToCanvas},
    {kMsgBackgroundSound, kMsgBackgroundSound, &REaselCommands::ToCanvas},
    {kMsgFurtherDialog, kMsgFurtherDialog, &REaselCommands::ToCanvas},
    {kMsgOtherDialog, kMsgOtherDialog, &REaselCommands::ToCanvas},
    {kMsgFlatten, kMsgFlatten, &REaselCommands::ToCanvas},
    {kMsgPlaySounds, kMsgStopSpeaking, &REaselCommands::ToCanvas},
    {kEaselFirstToolTip, kEaselLastToolTip, &REaselCommands::ShowToolTip},
    {kMsgButtonLatched, kMsgButtonSelected, &REaselCommands::ButtonGroupChanged},
    {kMsgMenuPaperTextures, kMsgMenuPaperTextures, &REaselCommands::OpenTexturePicker},
    {kMsgMenuHelp, kMsgMenuHelp, &REaselCommands::StartHelp},
    {kMsgHelpFinished, kMsgHelpFinished, &REaselCommands::EndHelp},
    {kEaselPrint, kEaselPrint, &REaselCommands::Print},
    {kMsgMenuPrint, kMsgMenuPrint, &REaselCommands::Print},
    {kEaselPlay, kEaselPlay, &REaselCommands::Play},
    {kEaselStop, kEaselStop, &REaselCommands::Stop},
    {kMsgMenuNewPicture, kMsgMenuNewPicture, &REaselCommands::NewPicture},
    {kEaselNewPictureAgain, kEaselNewPictureAgain, &REaselCommands::NewPicture},
    {kEaselContinueOpenIdea, kEaselContinueOpenIdea, &REaselCommands::OpenChosenPicture},
    {kEaselContinueOpenFromMenu, kEaselContinueOpenFromMenu, &REaselCommands::OpenChosenPicture},
    {kMsgMenuIdeaMachine, kMsgMenuIdeaMachine, &REaselCommands::OpenPicture},
    {kMsgMenuOpenPicture, kMsgMenuOpenPicture, &REaselCommands::OpenPicture},
    {kEaselContinueNewPicture, kEaselContinueNewPicture, &REaselCommands::NewPageAfterQuestion},
    {kEaselOpenFromMenuReply, kEaselOpenFromMenuReply, &REaselCommands::SaveQuestionAnswered},
    {kEaselOpenIdeaReply, kEaselNewPictureReply, &REaselCommands::SaveQuestionAnswered},
    {kEaselSlideShowReply, kEaselSlideShowReply, &REaselCommands::SaveQuestionAnswered},
    {kEaselUndo, kEaselUndo, &REaselCommands::Undo},
    {kEaselUndoHover, kEaselUndoHover, &REaselCommands::UndoHover},
    {kMsgMenuSmallKidsChanged, kMsgMenuSmallKidsChanged, &REaselCommands::SmallKidsChanged},
    {kEaselAskToSave, kEaselAskToSave, &REaselCommands::AskToSave},
    {kEaselLoggedIn, kEaselLoggedIn, &REaselCommands::NewPageAfterLogin},
    {kEaselStartOver, kEaselStartOver, &REaselCommands::StartOver},
    {kEaselQuitRequest, kMsgMenuQuitEasel, &REaselCommands::QuitRequest},
    {kEaselQuit, kEaselQuit, &REaselCommands::Quit},
    {kMsgMenuGoToPicker, kMsgMenuGoToPicker, &REaselCommands::GoToSlideShow},
    {kScreenPicker, kScreenPicker, &REaselCommands::GoToSlideShow},
    {kEaselCopyDialog, kEaselCopyDialog, &REaselCommands::OpenCopyDialog},
    {kEaselCopyDialogReply, kEaselCopyDialogReply, &REaselCommands::CloseCopyDialog},
    {kMsgPageStateChanged, kMsgPageStateChanged, &REaselCommands::PageStateChanged},
    {kEaselSave, kEaselSaveButton, &REaselCommands::Save},
    {kMsgMenuSave, kMsgMenuSave, &REaselCommands::Save},
    {kMsgMenuSaveAs, kMsgMenuSaveAs, &REaselCommands::SaveAs},
    {kEaselSwatchOff, kEaselSwatchOn, &REaselCommands::SwatchInService},
    {kMsgPanelSetActive, kMsgPanelSetActive, &REaselCommands::SetPanelButtons},
    {kMsgMenuTeacherNote, kMsgMenuTeacherNote, &REaselCommands::ShowNote},
    {kDlgKindNote, kDlgKindNote, &REaselCommands::NoteClosed},
    {kEaselSwatchHover, kEaselSwatchHover, &REaselCommands::SwatchHover},
    {kDestructoFinished, kDestructoFinished, &REaselCommands::StartOverFinished},
    {kEaselNameReply, kEaselNameReply, &REaselCommands::PictureNamed},
    {kMsgTextureChosen, kMsgTextureChosen, &REaselCommands::TextureChosen},
    {kMsgTexturePickerClosed, kMsgTexturePickerClosed, &REaselCommands::TexturePickerClosed},
    {kMsgForwardToScreen, kMsgForwardToScreen, &REaselCommands::ToPanel},
    {kMsgLibraryChanged, kMsgLibraryChanged, &REaselCommands::ToPanel},
    {kMsgShuttingDown, kMsgShuttingDown, &REaselCommands::DropPage},
    {kMsgOpenDocument, kMsgOpenDocument, &REaselCommands::OpenProject},
    {kMsgAdminLogin, kMsgAdminLogin, &REaselCommands::OpenProject},
    {kEaselNewPageCommand, kEaselNewPageCommand, &REaselCommands::NewPageFromMenu},
    {kMsgEaselNewPage, kMsgEaselNewPage, &REaselCommands::RedrawPage},
    {kMsgColorPickerClosed, kMsgColorPickerClosed, &REaselCommands::ColorPickerClosed},
    {kMsgColorSet, kMsgColorChosen, &REaselCommands::ColorChosen},
    {kEaselToolbarPhase, kEaselToolbarPhase, &REaselCommands::SelectToolbarPhase},
};

const REaselCommands::Entry* REaselCommands::Find(u32 code) {
    for (const Entry& entry : kCommands)
        if (code >= entry.first && code <= entry.last) return &entry;
    return nullptr;
}

bool REaselCommands::Handles(u32 code) { return Find(code) != nullptr; }

u32 REaselCommands::Handle(RMessage* message, uintptr_t data) {
    if (const Entry* entry = Find(message->code)) return (this->*entry->handler)(message, data);
    return easel_.RModule::HandleMessage(message, data);
}

// --- buttons and the tool bar

u32 REaselCommands::ToolbarChosen(RMessage* message, uintptr_t) {
    const u32 code = message->code;
    easel_.StopAll();
    easel_.ShowToolbarChosen(code);
    if (i16(code) != easel_.toolbar_) {
        easel_.toolbar_ = i16(code);
        easel_.SelectToolbar(easel_.toolbar_, kToolbarRelease);
    }
    return 0;
}

u32 REaselCommands::ButtonGroupChanged(RMessage* message, uintptr_t) {
    ReleaseButtonGroup(easel_.Buttons(), u16(message->param2), reinterpret_cast<const RHotSpotItem*>(message->param1));
    return 0;
}

u32 REaselCommands::ShowToolTip(RMessage* message, uintptr_t) {
    easel_.ShowToolTipFor(message->code, message->param2);
    return 0;
}

u32 REaselCommands::UndoHover(RMessage* message, uintptr_t) {
    if (message->param2 == 1) easel_.RestUndoSnail();
    return 0;
}

u32 REaselCommands::Undo(RMessage*, uintptr_t) {
    easel_.Undo();
    return 0;
}

u32 REaselCommands::StartOver(RMessage*, uintptr_t) {
    easel_.StartOver();
    // Start Over stays down while its effect runs.
    if (!easel_.StartOverEffect()) easel_.ReleaseButton(kStartOverButton);
    return 0;
}

u32 REaselCommands::StartOverFinished(RMessage*, uintptr_t) {
    easel_.ReleaseButton(kStartOverButton);
    easel_.firecracker_.reset();
    easel_.UpdateInputRegistration();
    easel_.SetPanelButtonsEnabled(true);
    return 0;
}

u32 REaselCommands::SetPanelButtons(RMessage* message, uintptr_t) {
    easel_.SetPanelButtonsEnabled(message->param2 != 0);
    return 0;
}

u32 REaselCommands::SelectToolbarPhase(RMessage* message, uintptr_t) {
    easel_.SelectToolbar(easel_.rememberedToolbar_, message->param2);
    return 0;
}

u32 REaselCommands::Play(RMessage*, uintptr_t) {
    easel_.StartPlaying();
    return 0;
}

u32 REaselCommands::Stop(RMessage*, uintptr_t) {
    easel_.StopPlaying();
    return 0;
}

// --- handed on

u32 REaselCommands::ToCanvas(RMessage* message, uintptr_t data) {
    easel_.StopAll();
    return easel_.Canvas() ? easel_.Canvas()->HandleMessage(message, data) : 0;
}

u32 REaselCommands::ToPanel(RMessage* message, uintptr_t data) {
    return easel_.CurrentPanel() ? easel_.CurrentPanel()->HandleMessage(message, data) : 0;
}

// --- pictures and pages

u32 REaselCommands::NewPicture(RMessage*, uintptr_t) {
    easel_.Pictures().NewPicture();
    return 0;
}

u32 REaselCommands::NewPageAfterQuestion(RMessage*, uintptr_t) {
    easel_.Pictures().ShowNewPage();
    return 0;
}

u32 REaselCommands::NewPageAfterLogin(RMessage* message, uintptr_t data) {
    if (message->param2 == kLoginChosen && easel_.Canvas()) {
        RMessage fresh(kMsgNewPage, 0, kLoginChosen);
        easel_.Canvas()->HandleMessage(&fresh, data);
    }
    return 0;
}

u32 REaselCommands::NewPageFromMenu(RMessage*, uintptr_t) {
    easel_.StopAll();
    easel_.PostMessageTo(&easel_, kMsgMenuNewPicture);
    return 0;
}

u32 REaselCommands::OpenPicture(RMessage* message, uintptr_t) {
    easel_.Pictures().Open(openedBy(message->code));
    return 0;
}

u32 REaselCommands::OpenChosenPicture(RMessage* message, uintptr_t) {
    easel_.Pictures().OpenChosen(openedBy(message->code));
    return 0;
}

// On the way to the slide shows (parameter 1 kScreenPicker) a saved page is dropped.
u32 REaselCommands::Save(RMessage* message, uintptr_t) {
    easel_.Pictures().Save(kSavePicture, message->param1 == kScreenPicker);
    return 0;
}

u32 REaselCommands::SaveAs(RMessage* message, uintptr_t) {
    easel_.Pictures().Save(kSavePictureAs, message->param1 == kScreenPicker);
    return 0;
}

u32 REaselCommands::Print(RMessage*, uintptr_t) {
    easel_.Print();
    return 0;
}

// The page as a picture, a movie, a Flash movie or a player file; the painting since the last save is
// only in the canvas's picture until it is stored in the page.
u32 REaselCommands::Export(RMessage*, uintptr_t) {
    easel_.StopAll();
    RApplication* app = GetApplication();
    RPage* page = easel_.CurrentPage();
    const Paths* paths = easel_.UserPaths();
    if (!app || !page || !paths) return 0;
    if (easel_.Canvas()) easel_.Canvas()->StorePicture(page);
    ExportSources sources;
    sources.page = &page->Data();
    sources.document = easel_.CurrentDocument();
    Rect16 canvas{};
    app->GetCanvasRect(&canvas);
    if (canvas.right > canvas.left && canvas.bottom > canvas.top)
        sources.canvas = {u16(canvas.right - canvas.left), u16(canvas.bottom - canvas.top)};
    // A movie's poster is the page as the child sees it now, before the dialog covers it.
    if (easel_.Canvas()) sources.canvasSnapshot = easel_.Canvas()->Snapshot();
    sources.programFolder = paths->ProgramFolder();
    ExportWithDialog(app->GetMainWindow(), *paths, kEaselExportKinds, easel_.PictureTitle(), sources);
    // What the dialogs covered is drawn again.
    if (SprScreen* screen = sprScreen()) sprInvalRect(screen->screenRect);
    sprUpdateScreen(1);
    return 0;
}

u32 REaselCommands::RedrawPage(RMessage* message, uintptr_t) {
    // The menus' Open (kMsgMenuOpenProject) has the number too, and is the picker's.
    const NewPageEntry* entry = message->Payload<NewPageEntry>();
    if (!entry) return 0;
    easel_.StopAll();
    if (easel_.Canvas()) easel_.Canvas()->RedrawPage(entry->page, 1);
    return 0;
}

u32 REaselCommands::DropPage(RMessage*, uintptr_t) {
    easel_.StopAll();
    easel_.DropPage();
    return 0;
}

u32 REaselCommands::PageStateChanged(RMessage*, uintptr_t) {
    easel_.RefreshPageState();
    return 0;
}

// --- leaving the easel

u32 REaselCommands::QuitRequest(RMessage*, uintptr_t) {
    easel_.Pictures().RequestQuit();
    return 0;
}

u32 REaselCommands::Quit(RMessage*, uintptr_t) {
    easel_.StopAll();
    CCPObj::Clips().DeleteAllButBitmaps();
    if (mfxApplication* framework = mfxApplication::Get()) framework->Quit();
    return 0;
}

u32 REaselCommands::GoToSlideShow(RMessage*, uintptr_t) {
    easel_.ReleaseButton(kSlideShowButton);
    if (!easel_.SlideShowsBuilt()) return 0;
    easel_.StopAll();
    easel_.SuspendCanvas();
    if (easel_.PageUnsaved()) {
        easel_.PostMessageTo(&easel_, kEaselAskToSave, kScreenPicker);
        return 0;
    }
    easel_.DetachPanelFromCanvas();
    easel_.panel_.reset();
    easel_.SetCurrentPage(nullptr);
    easel_.ReleaseUndo();
    if (RApplication* app = GetApplication()) easel_.PostMessageTo(app, kScreenPicker);
    return 0;
}

u32 REaselCommands::OpenProject(RMessage* message, uintptr_t) {
    easel_.Pictures().OpenProject(message->code);
    return 0;
}

// --- questions and dialogs

u32 REaselCommands::AskToSave(RMessage* message, uintptr_t) {
    const u32 code = u32(message->param1);
    if (const std::optional<PendingAction> action = pendingActionOfCode(code))
        easel_.Pictures().AskToSave(*action);
    else if (RApplication* app = GetApplication())
        easel_.PostMessageTo(app, code);
    return 0;
}

u32 REaselCommands::SaveQuestionAnswered(RMessage* message, uintptr_t) {
    easel_.SaveQuestionAnswered(message->code, reinterpret_cast<RDlgBase*>(message->param1));
    return 0;
}

u32 REaselCommands::PictureNamed(RMessage* message, uintptr_t) {
    easel_.PictureNamed(reinterpret_cast<RDlgBase*>(message->param1));
    return 0;
}

u32 REaselCommands::OpenCopyDialog(RMessage*, uintptr_t) {
    easel_.SuspendCanvas();
    easel_.warning_ = std::make_unique<RDlgWarnings>(&easel_, kEaselCopyDialogReply);
    if (easel_.warning_->Run(kWarningsContent, kWarningsLayout) == 1) return 0;
    easel_.copySprite_ = sprNew(kCopySpriteFlags, kCopySprite, nullptr);
    if (easel_.copySprite_ == kSprNoId) easel_.copySprite_ = 0;
    if (SprSprite* sprite = sprFind(easel_.copySprite_)) {
        sprSetLayerById(easel_.copySprite_, 1, easel_.warning_->GetRootSprite());
        sprShow(sprite, 0);
    }
    return 0;
}

u32 REaselCommands::CloseCopyDialog(RMessage*, uintptr_t) {
    if (easel_.copySprite_) sprDispose(&easel_.copySprite_);
    easel_.copySprite_ = 0;
    easel_.warning_.reset();
    easel_.ResumeCanvas();
    return 0;
}

u32 REaselCommands::ShowNote(RMessage*, uintptr_t) {
    easel_.ShowNote();
    return 0;
}

u32 REaselCommands::NoteClosed(RMessage*, uintptr_t) {
    easel_.noteDialog_.reset();
    easel_.ResumeCanvas();
    return 0;
}

u32 REaselCommands::StartHelp(RMessage*, uintptr_t data) {
    easel_.StopAll();
    easel_.SuspendCanvas();
    easel_.EndStroke(u32(data));
    easel_.help_.reset();
    easel_.help_ = std::make_unique<RHelp>(&easel_, kEaselHelpName);
    const std::array<u16, 3>& sets = GetHelpContext().buttonSets;
    if (easel_.help_->Start(sets[0], sets[1], sets[2]) != 0) EndHelp(nullptr, 0);
    return 0;
}

u32 REaselCommands::EndHelp(RMessage*, uintptr_t) {
    // Help stays down while help mode is on.
    easel_.ReleaseButton(kHelpButton);
    easel_.help_.reset();
    easel_.ResumeCanvas();
    return 0;
}

u32 REaselCommands::SmallKidsChanged(RMessage*, uintptr_t) {
    easel_.StopAll();
    const bool small = easel_.SmallKids();
    easel_.RefreshMenus();
    easel_.RefreshPageState();
    easel_.ShowSmallKidsButtons(small);
    easel_.BuildColorPicker();
    if (easel_.CurrentPanel()) {
        RMessage again(kMsgPanelReadSettingsAgain, 0, 0);
        easel_.CurrentPanel()->HandleMessage(&again, 0);
    }
    // The text panel and the alphabet panel stand for each other: the one shown gives way to
    // the other at once.
    if (dynamic_cast<RTextPanel*>(easel_.CurrentPanel()) || dynamic_cast<RAlphaPanel*>(easel_.CurrentPanel()))
        easel_.SelectToolbar(i16(kEaselToolbarText), kToolbarRelease);
    return 0;
}

// --- the colour swatch and the pickers

u32 REaselCommands::SwatchInService(RMessage* message, uintptr_t) {
    if (!easel_.SwatchHotSpot()) return 0;
    if (message->code == kEaselSwatchOn)
        easel_.SwatchHotSpot()->Enable();
    else
        easel_.SwatchHotSpot()->Disable();
    return 0;
}

u32 REaselCommands::SwatchHover(RMessage* message, uintptr_t) {
    if (message->param2 == 1) easel_.OpenColorPicker();
    return 0;
}

u32 REaselCommands::ColorPickerClosed(RMessage*, uintptr_t) {
    easel_.CloseColorPicker();
    return 0;
}

u32 REaselCommands::ColorChosen(RMessage* message, uintptr_t data) {
    easel_.ColorChosen(message, data);
    return 0;
}

u32 REaselCommands::OpenTexturePicker(RMessage*, uintptr_t) {
    easel_.StopAll();
    easel_.OpenTexturePicker();
    return 0;
}

u32 REaselCommands::TextureChosen(RMessage* message, uintptr_t) {
    easel_.texture_ = message->param2;
    easel_.CloseTexturePicker();
    return 0;
}

u32 REaselCommands::TexturePickerClosed(RMessage*, uintptr_t) {
    easel_.CloseTexturePicker();
    return 0;
}

}  // namespace Ostrel
