// The colour swatch with its colour picker, and the texture picker.
#include "app/application/RApplication.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "framework/controls/RColorPicker.h"
#include "framework/controls/RTexturePicker.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/input/RHotSpotList.h"
#include "framework/panels/RPanel.h"
#include "framework/resources/mfxReadResource.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"

namespace Ostrel {
namespace {

constexpr u16 kSwatchFrame = 7000;
constexpr u16 kSmallSwatchFrame = 7001;
constexpr u16 kPickerSprite = 1106;
constexpr u16 kSmallPickerSprite = 1500;
constexpr u16 kSwatchShape = 1080;
constexpr u16 kSmallSwatchShape = 1501;
constexpr u32 kSwatchSpriteFlags = 0x800000;
constexpr u32 kMsgOpenColorPicker = 666;
constexpr u16 kMenuTexture = 246;
constexpr u32 kMsgTextureDone = 1469;
// The palettes open left of the swatch.
constexpr i16 kPaletteGap = 8;
constexpr i16 kPaletteWidth = 192;
constexpr i16 kSmallPaletteWidth = 320;

}  // namespace

void REasel::LoadSwatchFrames() {
    mfxReadResource(fourCC("tBMP"), kSwatchFrame, &swatchFrames_[0]);
    mfxReadResource(fourCC("tBMP"), kSmallSwatchFrame, &swatchFrames_[1]);
}

void REasel::BuildColorPicker() {
    if (panel_ && picker_) picker_->RemoveListener(panel_.get());
    picker_.reset();
    if (swatchSprite_) {
        sprDispose(&swatchSprite_);
        swatchSprite_ = 0;
    }
    if (pickerSprite_) {
        sprDispose(&pickerSprite_);
        pickerSprite_ = 0;
    }
    const bool small = SmallKids();
    // Loaded once: a second load would register its scripts a second time.
    if (small && sprFindGroup(kSmallPickerGroup) == kSprNoSlot)
        sprLoadGroup(kSmallPickerGroup, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    else if (!small)
        sprReleaseGroup(kSmallPickerGroup, 1);
    const u16 swatchShape = small ? kSmallSwatchShape : kSwatchShape;
    // Both sprites stand where their shapes place them.
    pickerSprite_ = sprNew(kSwatchSpriteFlags, small ? kSmallPickerSprite : kPickerSprite, nullptr);
    if (pickerSprite_ == kSprNoId) pickerSprite_ = 0;
    if (SprSprite* sprite = sprFind(pickerSprite_)) sprShow(sprite, 0);

    Rect16 parts[kSprMaxParts];
    const Rect16 swatch = sprGetShapePartRects(swatchShape, parts) > 0 ? parts[0] : Rect16{0, 0, 0, 0};
    const Point16 origin{i16(swatch.left - kPaletteGap - (small ? kSmallPaletteWidth : kPaletteWidth)), swatch.top};
    if (small)
        picker_ = std::make_unique<RSmallColorPicker>(this, origin);
    else
        picker_ = std::make_unique<RColorPicker>(this, origin);
    picker_->Init();

    if (RHotSpotList* list = HotSpots()) {
        if (swatchHotSpot_) list->DestroyHotSpot(swatchHotSpot_);
        HSInfo info;
        info.kind = kHotSpotShapeRect;
        info.rect = swatch;
        // Like the snail's 261, it is said when the pointer comes over the swatch.
        info.message2 = kMsgOpenColorPicker;
        swatchHotSpot_ = list->AddHotSpot(info, this);
    }
    swatchSprite_ = sprNewWithProcs(kSwatchSpriteFlags, swatchShape, nullptr, nullptr, nullptr, DrawSwatch);
    if (swatchSprite_ == kSprNoId) swatchSprite_ = 0;
    if (SprSprite* sprite = sprFind(swatchSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprShow(sprite, 0);
    }
}

void REasel::DrawSwatch(SprSprite* sprite) {
    const auto* easel = reinterpret_cast<const REasel*>(sprite->data1);
    if (!easel) return;
    const Rect16 area = sprite->bounds;
    GfxColor color = easel->color_;
    // The default colour shows as black, the pencils' first colour.
    if (color.flag == 0xFF) color = GfxColor::rgb(0, 0, 0);
    const std::vector<u8>& frame = easel->swatchFrames_[easel->SmallKids() ? 1 : 0];
    if (!frame.empty()) gfxDrawBitmapInRect(frame.data(), u32(frame.size()), area, 0, 0);
    Rect16 inner = area;
    rectInset(&inner, i16((area.right - area.left) / 5), i16((area.bottom - area.top) / 5));
    gfxFillOval(inner, color, 0);
}

void REasel::OpenColorPicker() {
    if (!picker_ || !picker_->Open()) return;
    if (panel_) picker_->AddListener(panel_.get());
}

void REasel::CloseColorPicker() {
    if (picker_ && panel_) picker_->RemoveListener(panel_.get());
}

void REasel::ColorChosen(RMessage* message, uintptr_t data) {
    if (message->param1) color_ = *reinterpret_cast<const GfxColor*>(message->param1);
    if (SprSprite* sprite = sprFind(swatchSprite_)) sprInvalRect(sprite->bounds);
    if (canvas_) canvas_->HandleMessage(message, data);
}

void REasel::OpenTexturePicker() {
    if (RApplication* app = GetApplication()) app->DisableMenuCommand(kMenuTexture);
    SuspendCanvas();
    texturePicker_ = std::make_unique<RTexturePicker>(this);
    if (!texturePicker_->Open(texture_)) CloseTexturePicker();
}

void REasel::CloseTexturePicker() {
    texturePicker_.reset();
    ResumeCanvas();
    if (panel_) {
        RMessage done(kMsgTextureDone, 0, texture_);
        panel_->HandleMessage(&done, 0);
    }
    if (RApplication* app = GetApplication()) app->EnableMenuCommand(kMenuTexture);
}

}  // namespace Ostrel
