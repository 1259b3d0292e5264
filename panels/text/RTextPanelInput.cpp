// The text panel's mouse, keys and tick, and its popups and labels.
#include <algorithm>

#include "app/dialogs/DialogNameField.h"
#include "app/dialogs/DoublePress.h"
#include "app/dialogs/RPronounceDlg.h"
#include "document/objects/RTextPageObject.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/windows/mfxQueries.h"
#include "panels/frames/FrameHost.h"
#include "panels/frames/REditFrame.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/frames/MeasuringPort.h"
#include "panels/text/RTextPanel.h"
#include "panels/text/TextPanelLists.h"
#include "text/speech/ASpeechHandler.h"

namespace Ostrel {
namespace {

constexpr u32 kPopupSpriteFlags = 0x800000;
constexpr u16 kCentredOnOneLine = 0x22;
constexpr u16 kLeftOnOneLine = 0x21;
constexpr i16 kPopupTextInset = 6;
// The font button shows the font's name in the font itself, as large as fits.
constexpr u16 kLabelLargest = 16;
constexpr u16 kLabelSmallest = 8;

DoublePress& doublePress() {
    static DoublePress press;
    return press;
}

}  // namespace

u32 RTextPanel::HandleInput(u32 button, Point16 point, u32) {
    DropLostText();
    if (button != kInputLeftButton) return 0;
    if (creating_) return 1;
    if (speaking_) {
        StopSpeaking();
        return 1;
    }
    if (!host_ || !frames_ || !rectContainsPoint(host_->CanvasRect(), point) || host_->TakesNoInput() ||
        host_->IsPlacing())
        return 0;
    REditFrame* frame = frames_->EditFrame();
    // The frame's move bar and handles are the frame maker's.
    if (editing_ && frame && frame->Object() == &editing_->Object() && (frame->HitHandle(point) || frame->HitMove(point)))
        return 0;
    RTextPageObject* hit = TextAt(point);
    if (hit) {
        if (!editing_ || &editing_->Object() != hit) {
            CommitText();
            frames_->AddObjectFrame(hit, 1);
            Edit(hit);
        }
        if (!editing_) return 1;
        editing_->FollowObject();
        MeasuringPort port;
        RTEditor& editor = editing_->Editor();
        editor.OnMouseDown(editing_->ToPage(point), mfxIsKeyDown(kMfxKeyShift) != 0);
        if (doublePress().Press(point)) editor.SelectWordAtCaret();
        editing_->ShowMarks(true);
        RefreshControls();
        return 1;
    }
    if (!editing_) return 0;
    // The bare page puts the text down; an empty one goes away and the press makes a new one.
    if (CommitText() == 0) return 0;
    frames_->ReleaseSelectedItem();
    return 1;
}

u32 RTextPanel::HandleMouseUp(u32 button, Point16 point, u32) {
    DropLostText();
    if (button != kInputLeftButton || !editing_) return 0;
    editing_->Editor().OnMouseUp();
    RefreshControls();
    return TextAt(point) == &editing_->Object() ? 1 : 0;
}

u32 RTextPanel::HandleMouseMove(Point16 point, u32 buttons) {
    DropLostText();
    if (!editing_ || buttons == 0 || gEditFrameDragging) return 0;
    MeasuringPort port;
    editing_->Editor().OnMouseDrag(editing_->ToPage(point));
    editing_->ShowMarks(true);
    return 0;
}

u32 RTextPanel::HandleKey(u32 key) {
    DropLostText();
    if (!editing_ || (host_ && host_->TakesNoInput())) return 0;
    editing_->FollowObject();
    bool used = false;
    {
        MeasuringPort port;
        used = editing_->Editor().HandleKey(key);
    }
    if (!used) return 0;
    Changed();
    RefreshControls();
    return 1;
}

void RTextPanel::HandleTick(u32 now) {
    DropLostText();
    // A popup closed by a press elsewhere takes its rows away.
    if (openPopup_ && !openPopup_->IsOpen()) ClosePopup();
    if (editing_) {
        editing_->FollowObject();
        // An undo or redo of the editor's step changed the text behind the panel's back: the
        // page and the controls show what it brought back.
        if (editing_->Stale()) {
            Changed();
            RefreshControls();
        }
        editing_->Tick(now);
    }
    if (!speaking_) return;
    ASpeechHandler* speech = ASpeechHandler::GetInstance();
    if (speech && speech->IsSpeaking()) return;
    StopSpeaking();
    if (pronounce_) PostMessageTo(pronounce_.get(), kMsgSpeakingDone);
}

// --- popups and labels

void RTextPanel::OpenPopup(RTextPopup* popup, int button) {
    ClosePopup();
    if (!popup || size_t(button) >= Buttons().size() || !Buttons()[size_t(button)]->GetHotSpot()) return;
    popup->SetAnchor(Buttons()[size_t(button)]->GetHotSpot()->GetRect());
    if (!popup->Open()) return;
    openPopup_ = popup;
    Rect16 area = popup->GetRowRect(0);
    for (int row = 1; row < int(popup->Items().size()); ++row) {
        const Rect16 r = popup->GetRowRect(row);
        if (r.right > r.left) rectUnion(&area, r);
    }
    if (popupSprite_ == 0) {
        const Point16 at{area.left, area.top};
        const u16 id = sprNewWithProcs(kPopupSpriteFlags, 0, &at, nullptr, nullptr, &RTextPanel::DrawPopup);
        popupSprite_ = id == kSprNoId ? 0 : id;
    }
    if (SprSprite* sprite = sprFind(popupSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprite->bounds = area;
        sprBringToFront(sprite);
        sprShow(sprite, 0);
    }
    sprInvalRect(area);
}

void RTextPanel::ClosePopup() {
    SprSprite* sprite = sprFind(popupSprite_);
    if (sprite) {
        sprInvalRect(sprite->bounds);
        sprHide(sprite, 1, 0);
    }
    if (openPopup_ && openPopup_->IsOpen()) openPopup_->Close();
    openPopup_ = nullptr;
}

void RTextPanel::DrawPopup(SprSprite* sprite) {
    const auto* panel = reinterpret_cast<const RTextPanel*>(sprite->data1);
    if (!panel || !panel->openPopup_) return;
    const RTextPopup& popup = *panel->openPopup_;
    if (!popup.IsOpen()) return;
    GfxPenState pen{};
    gfxGetPenState(&pen);
    GfxColor previous{};
    gfxSetForeColor(&previous, GfxColor::rgb(0, 0, 0));
    GfxFont* font = panel->labelFont_ ? gfxSetFont(panel->labelFont_) : nullptr;
    for (size_t row = 0; row < popup.Items().size(); ++row) {
        const Rect16 rect = popup.GetRowRect(int(row));
        if (rect.right <= rect.left) continue;
        // A long name is cut to the row rather than wrapped into the next.
        std::string name = popup.Items()[row];
        while (!name.empty() && gfxTextWidth(name.c_str(), u16(std::min<size_t>(name.size(), 255))) >
                                    rect.right - rect.left - 2 * kPopupTextInset)
            name.pop_back();
        gfxEraseRect(rect);
        const Rect16 text{i16(rect.left + kPopupTextInset), rect.top, rect.right, rect.bottom};
        gfxDrawTextBox(text, kLeftOnOneLine, name.c_str(), u16(std::min<size_t>(name.size(), 255)));
        if (int(row) == popup.GetHighlighted() || int(row) == popup.GetValue()) gfxInvertRect(rect);
    }
    gfxFrameRect(sprite->bounds);
    if (font) gfxSetFont(font);
    gfxSetPenState(pen);
}

// The font, size and voice buttons: their look with the current choice on it; the font's name
// in that font.
void RTextPanel::DrawLabel(SprSprite* sprite) {
    if (!sprite || sprite->hidden) return;
    sprDraw(sprite);
    const auto* panel = reinterpret_cast<const RTextPanel*>(sprite->data1);
    if (!panel) return;
    std::string label;
    GfxFont* own = nullptr;
    const Rect16 box = sprite->bounds;
    const i16 width = i16(box.right - box.left - 2), height = i16(box.bottom - box.top - 2);
    GfxFont* font = panel->labelFont_ ? gfxSetFont(panel->labelFont_) : nullptr;
    if (panel->fontPopup_.get() && sprite->id == panel->Buttons()[kTextButtonFont]->GetSprite()) {
        if (size_t(panel->fontIndex_) < panel->fonts_.size()) label = panel->fonts_[size_t(panel->fontIndex_)];
        for (u16 size = kLabelLargest; !label.empty() && size >= kLabelSmallest; size = u16(size - 2)) {
            if (own) gfxDisposeFont(own);
            own = gfxNewFont(label.c_str(), size, 0);
            if (!own) break;
            gfxSetFont(own);
            GfxFontInfo info{};
            gfxGetFontInfo(&info);
            if (gfxTextWidth(label.c_str(), u16(label.size())) <= width && i16(info.values[0] + info.values[1]) <= height) break;
        }
    } else if (sprite->id == panel->Buttons()[kTextButtonSize]->GetSprite()) {
        label = std::to_string(kTextSizes[size_t(std::clamp(panel->sizeIndex_, 0, int(kTextSizes.size()) - 1))]);
    } else if (panel->voiceIndex_ < panel->voices_.size()) {
        label = panel->voices_[panel->voiceIndex_];
    }
    GfxPenState pen{};
    gfxGetPenState(&pen);
    GfxColor previous{};
    gfxSetForeColor(&previous, GfxColor::rgb(0, 0, 0));
    gfxDrawTextBox(box, kCentredOnOneLine, label.c_str(), u16(std::min<size_t>(label.size(), 255)));
    gfxSetPenState(pen);
    if (font) gfxSetFont(font);
    if (own) gfxDisposeFont(own);
}

}  // namespace Ostrel
