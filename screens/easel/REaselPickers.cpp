// The colour swatch with its colour picker, and the texture picker.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/application/RApplication.h"
#include "app/menus/MenuCommands.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/regions/Regions.h"
#include "framework/controls/RColorPicker.h"
#include "framework/controls/RTexturePicker.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/input/RHotSpotList.h"
#include "framework/panels/RPanel.h"
#include "framework/resources/mfxReadResource.h"
#include "panels/base/ToolPanelCommands.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/EaselCommands.h"
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
// The palettes open left of the swatch.
constexpr i16 kPaletteGap = 8;
constexpr i16 kPaletteWidth = 192;
constexpr i16 kSmallPaletteWidth = 320;
// How far inside the swatch's rectangle the round of its frame picture lies.
constexpr i16 kSwatchFrameInset = 3;

// A picture as stored is packed, and its colours are big-endian words: it is drawn from its
// expanded copy, in machine order. Empty when it is missing or cannot be expanded.
std::vector<u8> drawablePicture(u16 id) {
    std::vector<u8> stored;
    if (mfxReadResource(kSprPictureType, id, &stored) != kErrNone || stored.empty()) return {};
    const memHandle handle = memAllocHandle(u32(stored.size()));
    if (!handle) return {};
    std::memcpy(memDerefHandle(handle), stored.data(), stored.size());
    std::vector<u8> drawable;
    if (sprPreparePicture(handle) == kErrNone) {
        const auto* bytes = static_cast<const u8*>(memDerefHandle(handle));
        drawable.assign(bytes, bytes + memGetHandleSize(handle));
    }
    memFreeHandle(handle);
    return drawable;
}

// The region of the oval inscribed in `r`, row by row; 0 when it cannot be made.
memHandle ovalRegion(const Rect16& r) {
    const memHandle region = rgnCreate();
    if (!region) return 0;
    const double a = (r.right - r.left) / 2.0;
    const double b = (r.bottom - r.top) / 2.0;
    for (i16 y = r.top; y < r.bottom; ++y) {
        const double dy = (y + 0.5 - r.top - b) / b;
        const double half = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        const i16 left = i16(std::lround(r.left + a - half));
        const i16 right = i16(std::lround(r.left + a + half));
        if (left < right) rgnUnionRect(region, Rect16{left, y, right, i16(y + 1)});
    }
    return region;
}

}  // namespace

void REasel::LoadSwatchFrames() {
    swatchFrames_[0] = drawablePicture(kSwatchFrame);
    swatchFrames_[1] = drawablePicture(kSmallSwatchFrame);
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
    picker_->SetAnchor(swatch);

    if (RHotSpotList* list = HotSpots()) {
        if (swatchHotSpot_) list->DestroyHotSpot(swatchHotSpot_);
        HSInfo info;
        info.kind = kHotSpotShapeRect;
        info.rect = swatch;
        // Like the snail's 261, it is said when the pointer comes over the swatch.
        info.message2 = kEaselSwatchHover;
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
    // The sprite layer calls a sprite's own procedure also while it is hidden.
    if (!easel || sprite->hidden) return;
    const Rect16 area = sprite->bounds;
    GfxColor color = easel->color_;
    // The default colour shows as black, the pencils' first colour.
    if (color.flag == 0xFF) color = GfxColor::rgb(0, 0, 0);
    const std::vector<u8>& frame = easel->swatchFrames_[easel->SmallKids() ? 1 : 0];
    // The frame picture is square; only its round part belongs to the swatch, so the palette
    // and the tool bar behind show round it.
    Rect16 round = area;
    rectInset(&round, kSwatchFrameInset, kSwatchFrameInset);
    const memHandle saved = rgnCreate();
    const memHandle oval = ovalRegion(round);
    if (saved && oval && gfxGetClipRgn(saved) == kErrNone) {
        gfxIntersectClipRgn(oval);
        if (!frame.empty()) gfxDrawBitmapInRect(frame.data(), u32(frame.size()), area, 0, 0);
        gfxSetClipRgn(saved);
    }
    if (oval) rgnDispose(oval);
    if (saved) rgnDispose(saved);
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
    if (RApplication* app = GetApplication()) app->DisableMenuCommand(kCmdPaperTextures);
    SuspendCanvas();
    texturePicker_ = std::make_unique<RTexturePicker>(this);
    if (!texturePicker_->Open(texture_)) CloseTexturePicker();
}

void REasel::CloseTexturePicker() {
    texturePicker_.reset();
    ResumeCanvas();
    if (panel_) {
        RMessage done(kMsgPanelTextureDone, 0, texture_);
        panel_->HandleMessage(&done, 0);
    }
    if (RApplication* app = GetApplication()) app->EnableMenuCommand(kCmdPaperTextures);
}

}  // namespace Ostrel
