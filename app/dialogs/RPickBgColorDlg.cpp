#include "app/dialogs/RPickBgColorDlg.h"

#include "document/project/BackgroundColors.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "text/host/TextKeys.h"

namespace Ostrel {

namespace {

// The chips: seven to a row, three rows, at the dialog's left under its title.
constexpr i16 kChipLeft = 194;
constexpr i16 kChipTop = 214;
constexpr i16 kChipSize = 32;
constexpr i16 kChipStep = 36;
constexpr u16 kChipsPerRow = 7;
const GfxColor kChipFrame = GfxColor::rgb(59, 42, 92);
// The large swatch of the current colour, beside the chips.
constexpr Rect16 kSwatch{470, 220, 590, 310};

GfxColor colourOf(u16 index) {
    const BackgroundColor& c = kBackgroundColors[index < kBackgroundColorCount ? index : 0];
    return GfxColor::rgb(c.red, c.green, c.blue);
}

}  // namespace

Rect16 RPickBgColorDlg::ChipRect(u16 index) {
    const i16 left = i16(kChipLeft + (index % kChipsPerRow) * kChipStep);
    const i16 top = i16(kChipTop + (index / kChipsPerRow) * kChipStep);
    return Rect16{left, top, i16(left + kChipSize), i16(top + kChipSize)};
}

i16 RPickBgColorDlg::Open(RDocument* document) {
    if (Run(kPickBgColorContent, kPickBgColorLayout) != 0) return 1;
    document_ = document;
    colour_ = document && document->BackgroundColor() < kBackgroundColorCount ? document->BackgroundColor() : 0;
    if (SprSprite* root = sprFind(GetRootSprite())) {
        root->data1 = reinterpret_cast<uintptr_t>(this);
        sprSetProcs(root, root->ready, root->step, &RPickBgColorDlg::Draw);
    }
    sprUpdateScreen(1);
    return 0;
}

void RPickBgColorDlg::Draw(SprSprite* sprite) {
    sprDrawParts(sprite);
    const auto* dialog = reinterpret_cast<const RPickBgColorDlg*>(sprite->data1);
    if (!dialog || sprite->hideCount > 0) return;
    for (u16 i = 0; i < kBackgroundColorCount; ++i) {
        const Rect16 chip = ChipRect(i);
        gfxFillRect(chip, kChipFrame, 0);
        gfxFillRect(Rect16{i16(chip.left + 2), i16(chip.top + 2), i16(chip.right - 2), i16(chip.bottom - 2)}, colourOf(i), 0);
    }
    const Rect16 swatch = kSwatch;
    gfxFillRect(swatch, kChipFrame, 0);
    gfxFillRect(Rect16{i16(swatch.left + 4), i16(swatch.top + 4), i16(swatch.right - 4), i16(swatch.bottom - 4)},
                colourOf(dialog->colour_), 0);
}

void RPickBgColorDlg::Pick(u16 index) {
    if (index >= kBackgroundColorCount) return;
    colour_ = index;
    sprInvalRect(kSwatch);
    sprUpdateScreen(1);
}

void RPickBgColorDlg::Store() {
    if (document_) document_->SetBackgroundColor(colour_);
}

void RPickBgColorDlg::Confirm() {
    Store();
    Answer(kDlgResultConfirm, reinterpret_cast<uintptr_t>(this), kDlgResultConfirm);
}

u32 RPickBgColorDlg::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kMsgPickBgColor: Pick(u16(message->param1 & 0xFFFF)); return 0;
    case kDlgResultConfirm: Confirm(); return 0;
    case kDlgResultLeave:
        if (GetResult() == kDlgResultConfirm) Store();
        Answer(GetResult(), reinterpret_cast<uintptr_t>(this), GetResult());
        return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

u32 RPickBgColorDlg::HandleKey(u32 key) {
    if (LeaveOnEscape(key)) return 1;
    // Enter is the OK button: the colour is stored as with OK.
    if (keyRecordVirtualKey(key) == kKeyReturn) Confirm();
    return 1;
}

u32 RPickBgColorDlg::HandleInput(u32, Point16 point, u32) {
    for (u16 i = 0; i < kBackgroundColorCount; ++i) {
        if (rectContainsPoint(ChipRect(i), point)) {
            Pick(i);
            break;
        }
    }
    return 1;
}

}  // namespace Ostrel
