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
    textures_.clear();
    for (u16 i = 0; i < kTextureCount; ++i) {
        std::vector<u8> bytes;
        if (mfxReadResource(fourCC("tBMP"), u16(kFirstTextureId + i), &bytes) != kErrNone) break;
        textures_.push_back(std::move(bytes));
    }
    if (textures_.empty()) return false;
    open_ = true;
    Register(kInputKeys);
    frameSprite_ = sprNew(kTextureFrameFlags, kTextureFrameShape, nullptr);
    strip_ = std::make_unique<RBitmapScroller>(this, kTextureLayoutShape, kTextureHighlightShape, kTextureFirstCellId);
    std::vector<ScrollerPicture> pictures;
    for (const std::vector<u8>& bytes : textures_) pictures.push_back({bytes.data(), u32(bytes.size())});
    strip_->SetItems(pictures);
    strip_->Refresh(kRefreshAll);
    if (current >= 0 && current < int(pictures.size())) {
        strip_->ScrollIntoView(current);
        strip_->Select(current, false);
    }
    return true;
}

u32 RTexturePicker::HandleMessage(RMessage* message, u32) {
    if (message->code != kMsgScrollerHit || !open_ || message->sender != strip_.get()) return 0;
    PostMessageTo(owner_, kMsgTextureChosen, 0, message->param2);
    return 1;
}

u32 RTexturePicker::HandleKey(u32 key) {
    if (!open_ || inputKeyCharacter(key) != plat::kVkEscape) return 0;
    PostMessageTo(owner_, kMsgTexturePickerClosed, 0, 0);
    return 1;
}

}  // namespace Ostrel
