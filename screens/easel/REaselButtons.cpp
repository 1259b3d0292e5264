// The easel's buttons: the screen's button set with its tool tips, the undo snail, Play and
// Stop, and the Start Over effect that the screen moves on at each tick.
#include <random>

#include "app/application/RApplication.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/input/RHotSpotList.h"
#include "framework/panels/RPanel.h"
#include "framework/undo/UndoManager.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/frames/RMediaEditFrame.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/EaselButtons.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "screens/easel/EaselToolTips.h"
#include "text/speech/ASpeechHandler.h"
#include "tools/erasers/RDFirecracker2.h"

namespace Ostrel {
namespace {

constexpr u16 kScreenButtonSet = 75;
constexpr u16 kUndoFirstFrame = 1083;
constexpr u16 kUndoLastFrame = 1102;
constexpr u16 kUndoRestingShape = 1103;
constexpr u32 kUndoSpriteFlags = 0xC00000;
// How far above the canvas's bottom edge Start Over sets off its effect.
constexpr i16 kStartOverLift = 50;

Rect16 shapeRect(u16 shape) {
    Rect16 parts[kSprMaxParts];
    const i16 count = sprGetShapePartRects(shape, parts);
    Rect16 bounds{0, 0, 0, 0};
    for (i16 i = 0; i < count; ++i) {
        if (i == 0)
            bounds = parts[0];
        else
            rectUnion(&bounds, parts[i]);
    }
    return bounds;
}

}  // namespace

void REasel::CreateButtons() {
    if (RHotSpotList* list = HotSpots()) {
        HSInfo info;
        info.kind = kHotSpotShapeRect;
        info.rect = shapeRect(kUndoRestingShape);
        info.message = kEaselUndo;
        info.message2 = kEaselUndoHover;
        undoHotSpot_ = list->AddHotSpot(info, this);
    }
    // The snail stands where its shape places it.
    undoSprite_ = sprNewWithCallback(kUndoSpriteFlags, kUndoShape, nullptr, UndoSpriteEvent,
                                     reinterpret_cast<uintptr_t>(this), 0);
    if (undoSprite_ == kSprNoId) undoSprite_ = 0;
    if (SprSprite* sprite = sprFind(undoSprite_)) sprShow(sprite, 0);
    buttons_ = LoadButtonsFromKVR(this, HotSpots(), kScreenButtonSet, kButtonSpriteFlags);
    DrawButtons(buttons_);
    sprUpdateScreen(1);
}

void REasel::UndoSpriteEvent(SprSprite* sprite, i32 event) {
    // A finished undo animation comes back to the resting snail.
    if (event == kSprEventStopped && sprite->shape >= kUndoFirstFrame && sprite->shape <= kUndoLastFrame)
        sprSetShape(sprite, kUndoShape, nullptr, 0);
}

void REasel::Undo() {
    StopAll();
    if (SprSprite* sprite = sprFind(undoSprite_)) {
        static std::minstd_rand random{std::random_device{}()};
        const u16 frame = u16(kUndoFirstFrame + random() % (kUndoLastFrame - kUndoFirstFrame + 1));
        sprSetShape(sprite, frame, UndoSpriteEvent, 0);
    }
    if (RApplication* app = GetApplication(); app && app->GetUndoManager()) app->GetUndoManager()->Undo();
}

void REasel::RestUndoSnail() {
    // The snail comes to rest unless it is animating an undo.
    if (SprSprite* sprite = sprFind(undoSprite_);
        sprite && (sprite->shape < kUndoFirstFrame || sprite->shape > kUndoLastFrame))
        sprSetShape(sprite, kUndoRestingShape, nullptr, 0);
}

void REasel::ShowToolTipFor(u32 code, uintptr_t entering) {
    // The tip follows the pointer: shown as it comes over a button, gone as it leaves.
    HideToolTip();
    if (!entering) return;
    if (const EaselToolTip* tip = easelToolTip(code)) ShowToolTip(tip->button, tip->key);
}

void REasel::ShowToolbarChosen(u32 code) {
    for (const auto& button : buttons_) {
        if (!button || button->GetKind() != ButtonKind::Select || button->GetRecord().clickMessage != code) continue;
        if (button->GetState() != kButtonSelected) button->HandleEvent(kHsEventSelect, true);
        if (const RHotSpotItem* item = button->GetHotSpot()) ReleaseButtonGroup(buttons_, item->GetGroup(), item);
    }
}

void REasel::ReleaseButton(u16 id) {
    if (RButton* button = Button(id); button && button->GetState() != kButtonUp)
        button->HandleEvent(kHsEventRelease, true);
}

// --- Play and Stop

void REasel::SetPlayButtons(u16 state) {
    RButton* play = Button(kPlayButton);
    RButton* stop = Button(kStopButton);
    const auto enable = [](RButton* button) {
        button->HandleEvent(kHsEventRelease, false);
        button->Show();
    };
    if (hasMedia_ && state == kPlayButtonsPlay) {
        if (stop) stop->Hide();
        if (play) enable(play);
    } else if (hasMedia_ && state == kPlayButtonsStop) {
        if (play) play->Hide();
        if (stop) enable(stop);
    } else {
        if (stop) stop->Hide();
        if (play) {
            // The disabled look; its hot spot stays out of service.
            play->HandleEvent(kHsEventSelect, false);
            play->Draw();
            play->EnableHotSpot(false);
        }
    }
}

void REasel::UpdateInputRegistration() {
    const u32 mask = (playing_ ? kInputMouseButtons : 0) | (firecracker_ ? kInputTick : 0);
    if (mask == 0) {
        Unregister();
        return;
    }
    // Playing is offered every click first.
    if (playing_ && !(GetInputMask() & kInputMouseButtons)) Unregister();
    Register(mask);
}

void REasel::StartPlaying() {
    if (playing_) return;
    if (RButton* play = Button(kPlayButton)) play->Hide();
    if (RButton* stop = Button(kStopButton)) {
        stop->HandleEvent(kHsEventRelease, false);
        stop->Show();
    }
    playing_ = 1;
    UpdateInputRegistration();
    if (canvas_) {
        RMessage play(kMsgPlayPage, 0, 0);
        canvas_->HandleMessage(&play, 0);
    }
}

void REasel::StopPlaying() {
    if (!playing_) return;
    playing_ = 0;
    UpdateInputRegistration();
    SetPlayButtons(kPlayButtonsPlay);
    if (canvas_) {
        RMessage stop(kMsgStopMedia, 0, 0);
        canvas_->HandleMessage(&stop, 0);
    }
    if (ASpeechHandler* speech = ASpeechHandler::GetInstance(); speech && speech->IsSpeaking()) speech->Stop();
}

void REasel::StopAll() {
    // What the Play button started stops; else what the chosen object's play button started.
    if (playing_)
        StopPlaying();
    else if (RFrameMaker* frames = canvas_ ? canvas_->FrameMaker() : nullptr)
        if (auto* frame = dynamic_cast<RMediaEditFrame*>(frames->EditFrame())) frame->ClickOff();
}

u32 REasel::HandleInput(u32, Point16 point, u32) {
    if (!playing_) return 0;
    RButton* stop = Button(kStopButton);
    if (stop && stop->GetHotSpot() && rectContainsPoint(stop->GetHotSpot()->GetRect(), point)) return 0;
    StopPlaying();
    return 1;
}

// --- Start Over

void REasel::StartOver() {
    StopAll();
    if (firecracker_) return;
    // The effect takes the buttons out of service, so the pointer leaving Start Over is never
    // heard: its tip goes with the click.
    HideToolTip();
    // The press on Start Over took the panel's buttons out of service until the effect ends;
    // an effect that does not start gives them back at once.
    if (!canvas_) {
        SetPanelButtonsEnabled(true);
        return;
    }
    ReleaseUndo();
    firecracker_ = std::make_unique<RDFirecracker2>(this);
    const Rect16& rect = canvas_->CanvasRect();
    if (firecracker_->Start(rect, canvas_->Picture()) != kDestructoStarted) {
        firecracker_.reset();
        SetPanelButtonsEnabled(true);
        return;
    }
    firecracker_->Trigger(Point16{i16((rect.left + rect.right) / 2), i16(rect.bottom - kStartOverLift)});
    UpdateInputRegistration();
}

void REasel::HandleTick(u32 now) {
    if (!firecracker_ || !firecracker_->IsBusy() || !canvas_) return;
    canvas_->PictureChanged(firecracker_->Step(now));
}

}  // namespace Ostrel
