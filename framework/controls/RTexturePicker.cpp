#include "framework/controls/RTexturePicker.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "framework/resources/mfxReadResource.h"
#include "platform/keyboard/VirtualKeys.h"

namespace Ostrel {
namespace {

constexpr FourCC kTexturePickerTag = fourCC("TxPk");

}  // namespace

RTexturePicker::RTexturePicker(CListener* owner) : RSender(kTexturePickerTag), owner_(owner) {}

RTexturePicker::~RTexturePicker() {
    strip_.reset();
    if (frameSprite_ != 0 && frameSprite_ != kSprNoId) sprDispose(&frameSprite_);
}

bool RTexturePicker::Open(int current) {
    if (open_) return true;
    std::vector<ScrollerPicture> textures;
    for (u16 i = 0; i < kTextureCount; ++i) {
        ScrollerPicture bytes;
        if (mfxReadResource(fourCC("tBMP"), u16(kFirstTextureId + i), &bytes) != kErrNone) break;
        textures.push_back(std::move(bytes));
    }
    if (textures.empty()) return false;
    const int count = int(textures.size());
    open_ = true;
    Register(kInputKeys);
    frameSprite_ = sprNew(kTextureFrameFlags, kTextureFrameShape, nullptr);
    // The textures are drawn with the frame, over it: drawn on their own, the frame would
    // cover them at the next update.
    if (SprSprite* frame = sprFind(frameSprite_)) {
        frame->data1 = reinterpret_cast<uintptr_t>(this);
        sprSetProcs(frame, frame->ready, frame->step, &RTexturePicker::DrawFrame);
    }
    strip_ = std::make_unique<RBitmapScroller>(this, kTextureLayoutShape, kTextureArrowShape, kTextureFirstCellId);
    strip_->SetHighlightShape(kTextureHighlightShape);
    strip_->SetItems(std::move(textures));
    strip_->Refresh(kRefreshAll);
    if (current >= 0 && current < count) {
        strip_->ScrollIntoView(current);
        strip_->Select(current, false);
    }
    return true;
}

void RTexturePicker::DrawFrame(SprSprite* frame) {
    sprDrawParts(frame);
    const auto* picker = reinterpret_cast<const RTexturePicker*>(frame->data1);
    if (picker && picker->strip_ && frame->hideCount == 0) picker->strip_->Redraw();
}

u32 RTexturePicker::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code != kMsgScrollerHit || !open_ || message->sender != strip_.get()) return 0;
    PostMessageTo(owner_, kMsgTextureChosen, 0, message->param2);
    return 1;
}

u32 RTexturePicker::HandleKey(u32 key) {
    if (!open_ || keyRecordVirtualKey(key) != plat::kVkEscape) return 0;
    PostMessageTo(owner_, kMsgTexturePickerClosed, 0, 0);
    return 1;
}

}  // namespace Ostrel
