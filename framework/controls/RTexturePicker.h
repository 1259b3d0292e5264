#pragma once
// The texture picker: a framed strip of the kTextureCount texture pictures ('tBMP'
// kFirstTextureId..) over the screen. Choosing one posts kMsgTextureChosen with the texture's
// index as parameter 2 to the owner; closing without a choice (Escape) posts
// kMsgTexturePickerClosed. The owner deletes the picker when it hears either.
// User-interface thread only.
#include <memory>
#include <vector>

#include "engine/gfx/sprites/SprSprite.h"
#include "framework/controls/RBitmapScroller.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

constexpr u32 kMsgTexturePickerClosed = 3456;
constexpr u32 kMsgTextureChosen = 3457;
constexpr u16 kFirstTextureId = 17021;
constexpr u16 kTextureCount = 21;
constexpr u16 kTextureFrameShape = 1043;
constexpr u32 kTextureFrameFlags = 0x4C00000;
constexpr u16 kTextureLayoutShape = 1044;
constexpr u16 kTextureArrowShape = 1059;
constexpr u16 kTextureFirstCellId = 1045;
constexpr u16 kTextureHighlightShape = 1052;

class RTexturePicker : public CListener, public RSender, public RInputObject {
public:
    explicit RTexturePicker(CListener* owner);
    ~RTexturePicker() override;

    // Loads the textures and shows them with `current` selected; false when none could be read.
    bool Open(int current);
    // The strip, for owners that lay it out themselves; null until opened.
    RBitmapScroller* Strip() const { return strip_.get(); }
    bool IsOpen() const { return open_; }

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleKey(u32 key) override;

private:
    // The frame's parts, then the textures in their cells.
    static void DrawFrame(SprSprite* frame);

    CListener* owner_;
    bool open_ = false;
    u16 frameSprite_ = 0;
    std::unique_ptr<RBitmapScroller> strip_;
};

}  // namespace Ostrel
