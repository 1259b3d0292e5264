#include "app/window/RDisplayWindow.h"

#include "app/application/RApplication.h"
#include "app/application/ShellParts.h"
#include "app/module/RModule.h"
#include "app/menus/MenuCommands.h"
#include "app/window/RMenuScreen.h"
#include "app/window/RendererAlert.h"
#include "engine/base/KeyRecord.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/os/OsManager.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/dialogs/mfxDialogHost.h"
#include "framework/dialogs/mfxModalDialog.h"
#include "framework/input/RHotSpotList.h"
#include "framework/windows/mfxQueries.h"
#include "platform/display/DisplayWindow.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/ui/MessageQueue.h"
#include "platform/widgets/WidgetPaint.h"
#include "text/speech/ASpeechHandler.h"

namespace Ostrel {

namespace {

RDisplayWindow* gMainWindow = nullptr;

RDisplayWindow::DialogFactory& gettingStartedFactory() {
    static RDisplayWindow::DialogFactory factory;
    return factory;
}

constexpr u32 kCheatMessageMs = 5000;
// In debug mode, the P key shows what the OpenGL renderer is.
constexpr u8 kRendererKey = 'P';
// Posted to the window itself behind an input: what the input changed goes to the screen.
constexpr uint32_t kMsgShowInputEffect = plat::kMsgUser + 0x100;

}  // namespace

RDisplayWindow* RDisplayWindow::Get() { return gMainWindow; }

void RDisplayWindow::SetGettingStartedFactory(DialogFactory factory) { gettingStartedFactory() = std::move(factory); }

// The menu bar has rows of its own above the picture: the two never cover each other.
RDisplayWindow::RDisplayWindow(const std::string& title, const Rect16& rect)
    : RShellWindow(title, rect, kMfxMenuBarHeight), pace_(kLoopTimerPeriod) {
    gMainWindow = this;
    PaintMenuBand(plat::widgets::kFaceColor);
    // Items that change under a still pointer are found again through a synthetic move.
    RHotSpotList::SetChangeListener(this);
}

RDisplayWindow::~RDisplayWindow() {
    GiveKeyboardBack();
    gettingStarted_.reset();
    ownedDialog_.reset();
    if (RHotSpotList::GetChangeListener() == this) RHotSpotList::SetChangeListener(nullptr);
    SetMenu(nullptr);
    menu_.reset();
    if (gMainWindow == this) gMainWindow = nullptr;
}

ScreenKind RDisplayWindow::Current() const {
    const RApplication* app = GetApplication();
    if (!app || !app->GetCurrentModule()) return ScreenKind::None;
    switch (app->GetCurrentModuleCode()) {
    case kScreenEasel: return ScreenKind::Easel;
    case kScreenPicker: return ScreenKind::Picker;
    case kScreenSlideShow: return ScreenKind::SlideShow;
    case kScreenSplash: return ScreenKind::Splash;
    default: return ScreenKind::None;
    }
}

CListener* RDisplayWindow::CurrentScreen() const {
    const RApplication* app = GetApplication();
    return app ? app->GetCurrentModule() : nullptr;
}

RMenuScreen* RDisplayWindow::CurrentMenuScreen() const {
    const RApplication* app = GetApplication();
    return app ? dynamic_cast<RMenuScreen*>(app->GetCurrentModule()) : nullptr;
}

u32 RDisplayWindow::OnClose() {
    // The close box quits as the menu's Exit does, so the easel asks to save unsaved work
    // first; the window goes with the program's end, not here.
    OnCommand(kCmdExit);
    return 0;
}

void RDisplayWindow::OnPaint() {
    SprScreen* screen = sprScreen();
    plat::DisplayWindow* face = GetFace();
    if (screen && face && screen->windowPort && screen->workPort && !face->updateRegion().empty()) {
        if (mfxApplication* app = mfxApplication::Get()) app->RealizePalette();
        // The face's update area in the picture's coordinates, below the menu band. The copy is
        // clipped to the area itself, not its bounds: between two pieces of it there may stand
        // a box or a menu still drawn on the face.
        const plat::gdi::Rect update = face->updateRegion().bounds();
        const Rect16 area{i16(update.left), i16(update.top - ContentTop()), i16(update.right),
                          i16(update.bottom - ContentTop())};
        GfxPort* previous = gfxSetPort(screen->windowPort);
        if (gfxBeginUpdate() == kErrNone) {
            gfxCopyBits(screen->windowPort, screen->workPort, area, area, 0);
            gfxEndUpdate();
        }
        gfxSetPort(previous);
    }
    RShellWindow::OnPaint();
}

void RDisplayWindow::PaintMenuBand(plat::gdi::ColorRef colour) {
    plat::DisplayWindow* face = GetFace();
    if (!face) return;
    const plat::gdi::Rect band{0, 0, face->clientRect().right, ContentTop()};
    auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Window, face->surface());
    plat::widgets::fillBox(*dc, band, colour);
    face->present(band);
}

void RDisplayWindow::OnTick(u32 now) {
    sprUpdateScreen(1);
    const SprScreen* screen = sprScreen();
    Pace(pace_.AfterTick(screen && screen->lastUpdateDrew));
    RShellWindow::OnTick(now);
}

intptr_t RDisplayWindow::WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message != kMsgShowInputEffect) return RShellWindow::WindowProc(message, wParam, lParam);
    showPosted_ = false;
    sprUpdateScreen(1);
    return 0;
}

void RDisplayWindow::AfterInput() {
    Pace(pace_.AfterInput());
    // The screen update waits for no tick: it comes as soon as the input already queued has
    // been handled, so that a burst of pointer moves is shown once, at its end.
    if (!showPosted_ && GetHandle()) showPosted_ = plat::postMessage(GetHandle(), kMsgShowInputEffect, 0, 0);
}

void RDisplayWindow::Pace(u32 period) {
    if (period != osmGetTimerPeriod()) osmPaceTimer(period);
}

void RDisplayWindow::RedrawAll(u32) {
    if (const SprScreen* screen = sprScreen()) sprInvalRect(screen->screenRect);
}

u32 RDisplayWindow::OnMouseDown(Point16 point, u32 buttons) {
    AfterInput();
    // A click is the child's way to interrupt the voice.
    if (ASpeechHandler* speech = ASpeechHandler::GetInstance(); speech && speech->IsSpeaking()) speech->Stop();
    if (Current() == ScreenKind::Easel) {
        if (RMenuScreen* screen = CurrentMenuScreen(); screen && screen->DeselectMissedEditFrame(&point)) return 1;
    }
    return RShellWindow::OnMouseDown(point, buttons);
}

u32 RDisplayWindow::OnMouseUp(Point16 point, u32 buttons) {
    AfterInput();
    return RShellWindow::OnMouseUp(point, buttons);
}

u32 RDisplayWindow::OnMouseMove(Point16 point, u32 buttons) {
    AfterInput();
    return RShellWindow::OnMouseMove(point, buttons);
}

u32 RDisplayWindow::OnKeyDown(u32 key, u8 scanCode) {
    AfterInput();
    if (debugMode_ && keyRecordVirtualKey(key) == kRendererKey) ShowRendererAlert();
    KeySignatureStep(keyRecordCharacter(key), scanCode);
    if (SendEditKeyToField(key)) return 1;
    return RShellWindow::OnKeyDown(key, scanCode);
}

u32 RDisplayWindow::OnKeyUp(u32 key) { return RShellWindow::OnKeyUp(key); }

void RDisplayWindow::OnActivate(u32 state) { RShellWindow::OnActivate(state); }

void RDisplayWindow::KeySignatureStep(u8 character, u8 scanCode) {
    if (!signature_.Add(u32(character) | (u32(scanCode) << 16))) return;
    debugMode_ = !debugMode_;
    sprShowMessage(debugMode_ ? "Cheat mode is on." : "Cheat mode is off.", kCheatMessageMs, &kSprMessageRect);
}

u32 RDisplayWindow::HandleMessage(RMessage* message, uintptr_t) {
    switch (message->code) {
    case kMsgSyntheticMouseMove:
        // Under a dialog box the pointer is the box's: a look again would light what it hides.
        if (!mfxDialogHost::AnyShown()) OnMouseMove(PicturePoint(message->point), 0);
        break;
    case kMsgShowAbout: ShowAbout(); break;
    case kMsgCloseOwnedDialog: ownedDialog_.reset(); break;
    case kMsgOpenGettingStarted: OpenGettingStarted(); break;
    case kMsgCloseGettingStarted: gettingStarted_.reset(); break;
    default: break;
    }
    return 0;
}

Point16 RDisplayWindow::PicturePoint(Point16 pointer) const {
    // The pointer's place on the desktop, as the platform keeps it.
    const plat::DisplayWindow* face = GetFace();
    const plat::gdi::Point origin = face ? face->clientOrigin() : plat::gdi::Point{0, 0};
    return Point16{i16(pointer.h - origin.x), i16(pointer.v - origin.y - ContentTop())};
}

void RDisplayWindow::ShowAbout() {
    RunWithMenusGrayed([this] {
        mfxModalDialog about(this, kAboutDialogId);
        about.Show();
        if (about.HasItem(kAboutDialogFocusItem)) about.SetFocus(kAboutDialogFocusItem);
        mfxDialogEvent event;
        while (about.RunModal(&event) == 0) {
            // OK as a click, or as Return or Space on it (a child who reads with the keyboard).
            const bool used = event.notification == kDlgNotifyClicked ||
                              (event.notification == kDlgNotifyKey && (event.key == '\r' || event.key == ' '));
            if (event.item == kAboutDialogFocusItem && used) break;
        }
    });
}

void RDisplayWindow::OpenGettingStarted() {
    gettingStarted_.reset();
    if (!gettingStartedFactory()) return;
    gettingStarted_ = gettingStartedFactory()(this);
    if (gettingStarted_) SetMenuBarDisabled(1);
}

}  // namespace Ostrel
