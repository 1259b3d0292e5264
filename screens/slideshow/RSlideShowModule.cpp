#include "screens/slideshow/RSlideShowModule.h"

#include "app/application/ApplicationMessages.h"
#include "app/application/RApplication.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/settings/GlobalUserSettings.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "platform/clock/Clock.h"
#include "screens/picker/ShowSaveQuestion.h"
#include "screens/slideshow/RSlideShowCanvas.h"
#include "screens/slideshow/RTransition.h"
#include "screens/slideshow/SlideShowMessages.h"

namespace Ostrel {

namespace {

u32 programClock() { return plat::clockMillis(); }

const GlobalUserSettings* userSettings() {
    const RApplication* app = GetApplication();
    return app ? app->GetGlobalUserSettings() : nullptr;
}

bool manualAdvance() {
    const GlobalUserSettings* settings = userSettings();
    return settings && settings->manualAdvance;
}

}  // namespace

bool RSlideShowModule::Play(const RDocument* document, u16 firstPage) {
    RApplication* app = GetApplication();
    if (!app || !document || app->GetCurrentDocument() != document) return false;
    // Queued: the screen that asks goes when the program switches, not while it asks.
    app->PostMessageTo(app, kScreenSlideShow, 0, firstPage);
    return true;
}

RSlideShowModule::RSlideShowModule() {
    if (RApplication* app = GetApplication()) app->SetCurrentPage(nullptr);
}

RSlideShowModule::~RSlideShowModule() {
    StopShow();
    canvas_.reset();
    transition_.reset();
    if (RApplication* app = GetApplication()) app->SetCurrentPage(nullptr);
    SetMenusHidden(false);
    Unregister();
}

u16 RSlideShowModule::Enter() {
    RApplication* app = GetApplication();
    if (app) app->GetCanvasRect(&show_);
    const GlobalUserSettings* settings = userSettings();
    if (settings && settings->toolSounds)
        if (SprScreen* screen = sprScreen()) screen->soundEnabled = 1;
    return 0;
}

void RSlideShowModule::Tell(u32 code) {
    if (!transition_) return;
    RMessage message(code, 0, 0);
    transition_->HandleMessage(&message, 0);
}

void RSlideShowModule::BackToPicker() {
    if (RApplication* app = GetApplication()) PostMessageTo(app, kScreenPicker);
}

void RSlideShowModule::StartShow(u16 firstPage) {
    RApplication* app = GetApplication();
    RDocument* document = app ? app->GetCurrentDocument() : nullptr;
    if (canvas_ || transition_ || !document) {
        BackToPicker();
        return;
    }
    const GlobalUserSettings* settings = userSettings();
    ShowSwitches switches;
    if (settings) switches = ShowSwitches{settings->playOnce != 0, settings->manualAdvance != 0};
    transition_ = std::make_unique<RTransition>(this, document, switches, programClock);
    RPage* first = firstPage ? document->GetPage(firstPage) : nullptr;
    SprScreen* screen = sprScreen();
    GfxPort* screenPort = screen ? screen->backgroundPort : (app ? app->GetOffscreenPort() : nullptr);
    canvas_ = std::make_unique<RSlideShowCanvas>(show_, screenPort, this, settings);
    if (transition_->Start(first, canvas_.get()) != 0 || canvas_->PrepareMedia() != 0) {
        BackToPicker();
        return;
    }
    canvas_->SetPlaying(true);
    // The show plays on black, full screen.
    if (screenPort) {
        GfxPort* previous = gfxSetPort(screenPort);
        gfxFillRect(app->GetScreenRect(), GfxColor::rgb(0, 0, 0), 0);
        gfxSetPort(previous);
    }
    sprInvalRect(app->GetScreenRect());
    Register(kInputMouseButtons | kInputKeys | kInputTick);
    SetMenusHidden(true);
}

void RSlideShowModule::AskToSaveShow() {
    RApplication* app = GetApplication();
    RPortfolio* portfolio = app ? app->GetPortfolio() : nullptr;
    RDocument* document = portfolio ? portfolio->Document() : nullptr;
    if (!document) return;
    // The question is the child's now: the show's keys and clicks, and its hidden menus, go.
    Unregister();
    SetMenusHidden(false);
    if (portfolio->Unsaved() && (document->PageCount() > 0 || document->Config().HasContent()) &&
        AskToSaveShowNow() == kWarningResultYes)
        SaveShowWithDialog(*document, ShowNameOf(*document), defaultPickerFileUi());
    portfolio->SetDocument(nullptr);
}

void RSlideShowModule::StopShow() {
    if (canvas_) canvas_->StopShow();
    RApplication* app = GetApplication();
    if (RDocument* document = app ? app->GetCurrentDocument() : nullptr) document->ReleaseAllMedia();
    page_ = nullptr;
}

u32 RSlideShowModule::HandleMessage(RMessage* message, uintptr_t) {
    switch (message->code) {
    case kMsgSlideShowStart: StartShow(message->param2); break;
    case kMsgShowOver:
        StopShow();
        BackToPicker();
        break;
    case kMsgTransitionEvent: Tell(u32(message->param1)); break;
    case kMsgShuttingDown:
        StopShow();
        canvas_.reset();
        transition_.reset();
        AskToSaveShow();
        break;
    default: break;
    }
    return 0;
}

u32 RSlideShowModule::HandleKey(u32 key) {
    if (!transition_) return 1;
    const u8 vk = keyRecordVirtualKey(key);
    const u8 character = keyRecordCharacter(key);
    const u32 state = transition_->State();
    const bool quit = vk == kShowStopKey || vk == kShowQuitKey || character == kShowQuitKey || character == kShowQuitKey + ('a' - 'A');
    if (quit) {
        if (state != kTransitionEnded && state != kTransitionStopping) Tell(kEventStop);
    } else if (state == kTransitionWaitKey || manualAdvance()) {
        Tell(kEventKey);
    }
    return 1;
}

u32 RSlideShowModule::HandleInput(u32, Point16, u32) {
    if (!transition_) return 1;
    if (transition_->State() == kTransitionWaitClick || manualAdvance()) Tell(kEventClick);
    return 1;
}

void RSlideShowModule::HandleTick(u32) {
    if (!canvas_ || !canvas_->IsPlaying() || !transition_) return;
    RPage* page = AdvanceSlideShow(transition_.get());
    if (!page) return;
    page_ = page;
    const RApplication* app = GetApplication();
    const RDocument* document = app ? app->GetCurrentDocument() : nullptr;
    canvas_->ShowPage(page, document ? document->BackgroundColor() : 0);
    canvas_->PlayPage();
    sprUpdateScreen(1);
}

}  // namespace Ostrel
