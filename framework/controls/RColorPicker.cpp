#include "framework/controls/RColorPicker.h"

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/controls/PaintColor.h"
#include "platform/keyboard/VirtualKeys.h"

namespace Ostrel {
namespace {

constexpr FourCC kPickerTag = fourCC("CPck");
constexpr int kPickerColumns = 8;
constexpr int kPickerRows = 5;
constexpr i16 kSwatchSize = 24;
constexpr int kSmallPickerRows = 2;
constexpr i16 kSmallSwatchSize = 40;
// The palette stands on a sprite of its own, in front of the screen, inside a dark border;
// each swatch keeps a light rim, so that neighbours of one colour stay apart.
constexpr u32 kPaletteSpriteFlags = 0x800000;
constexpr i16 kPaletteBorder = 3;
constexpr i16 kSwatchRim = 1;

// A column's hue at full strength: red, orange, yellow, green, cyan, blue, violet; the last
// column is the greys.
constexpr int kHueColumns = 7;
constexpr u8 kHues[kHueColumns][3] = {{255, 0, 0},   {255, 128, 0}, {255, 255, 0}, {0, 200, 0},
                                       {0, 200, 255}, {0, 0, 255},   {160, 0, 255}};

// Row r of `rows` runs from the hue lightened towards white (top) to darkened towards black.
u8 shade(u8 channel, int row, int rows) {
    const int middle = rows / 2;
    if (row < middle) return u8(channel + (255 - channel) * (middle - row) / (middle + 1));
    return u8(channel * (rows - row) / (rows - middle));
}

// The grey column runs from pure white (top) to pure black (bottom), whatever the row count.
u8 grey(int row, int rows) { return rows < 2 ? 255 : u8(255 * (rows - 1 - row) / (rows - 1)); }

}  // namespace

RColorPicker::RColorPicker(CListener* owner, Point16 origin)
    : RColorPicker(owner, origin, kPickerColumns, kPickerRows, kSwatchSize) {}

RColorPicker::RColorPicker(CListener* owner, Point16 origin, int columns, int rows, i16 swatchSize)
    : RSender(kPickerTag), origin_(origin), columns_(columns), rows_(rows), swatchSize_(swatchSize) {
    if (owner != nullptr) AddListener(owner);
}

RColorPicker::~RColorPicker() {
    // Gone without a word: its listeners may be going too.
    if (!sprite_) return;
    if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = 0;
    sprDispose(&sprite_);
}

void RColorPicker::Init() {
    Close();
    palette_.clear();
    for (int row = 0; row < rows_; ++row) {
        for (int column = 0; column < columns_; ++column) {
            if (column % kPickerColumns == kHueColumns) {
                const u8 level = grey(row, rows_);
                palette_.push_back(GfxColor::rgb(level, level, level));
                continue;
            }
            const u8* hue = kHues[column % kPickerColumns];
            palette_.push_back(GfxColor::rgb(shade(hue[0], row, rows_), shade(hue[1], row, rows_),
                                             shade(hue[2], row, rows_)));
        }
    }
}

Rect16 RColorPicker::Area() const {
    return Rect16{origin_.h, origin_.v, i16(origin_.h + swatchSize_ * columns_), i16(origin_.v + swatchSize_ * rows_)};
}

Rect16 RColorPicker::GetSwatchRect(int index) const {
    if (index < 0 || index >= int(palette_.size())) return Rect16{0, 0, 0, 0};
    const i16 left = i16(origin_.h + swatchSize_ * (index % columns_));
    const i16 top = i16(origin_.v + swatchSize_ * (index / columns_));
    return Rect16{left, top, i16(left + swatchSize_), i16(top + swatchSize_)};
}

Rect16 RColorPicker::ShownArea() const {
    Rect16 shown = Area();
    rectInset(&shown, i16(-kPaletteBorder), i16(-kPaletteBorder));
    return shown;
}

bool RColorPicker::Open() {
    if (palette_.empty()) return false;
    if (IsOpen()) return true;
    swatches_ = std::make_unique<RHotSpotList>(this);
    for (size_t i = 0; i < palette_.size(); ++i)
        swatches_->CreateRectHotSpot(GetSwatchRect(int(i)), kMsgColorSwatch)->SetRecord(i);
    // Drawn by the sprite layer with everything else, so that the screen's next update shows
    // the palette rather than painting over it.
    const Rect16 shown = ShownArea();
    const Point16 at{shown.left, shown.top};
    sprite_ = sprNewWithProcs(kPaletteSpriteFlags, 0, &at, nullptr, StepPalette, DrawPalette);
    if (sprite_ == kSprNoId) sprite_ = 0;
    if (SprSprite* sprite = sprFind(sprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprite->bounds = shown;
        sprite->limit = shown;
        sprBringToFront(sprite);
        sprShow(sprite, 0);
    }
    Register(kInputMouseButtons | kInputKeys);
    sprInvalRect(shown);
    return true;
}

void RColorPicker::Close() {
    if (!IsOpen()) return;
    sprInvalRect(ShownArea());
    if (sprite_) {
        if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = 0;
        sprDispose(&sprite_);
        sprite_ = 0;
    }
    swatches_.reset();
    Unregister();
    PostMessage(kMsgColorPickerClosed, reinterpret_cast<uintptr_t>(this), 0);
}

void RColorPicker::StepPalette(SprSprite* sprite, memHandle) {
    if (const auto* picker = reinterpret_cast<const RColorPicker*>(sprite->data1)) sprite->bounds = picker->ShownArea();
}

void RColorPicker::DrawPalette(SprSprite* sprite) {
    const auto* picker = reinterpret_cast<const RColorPicker*>(sprite->data1);
    if (!picker || sprite->hidden) return;
    gfxFillRect(picker->ShownArea(), GfxColor::rgb(59, 42, 92), 0);
    for (size_t i = 0; i < picker->palette_.size(); ++i) {
        Rect16 swatch = picker->GetSwatchRect(int(i));
        gfxFillRect(swatch, GfxColor::rgb(255, 255, 255), 0);
        rectInset(&swatch, kSwatchRim, kSwatchRim);
        gfxFillRect(swatch, picker->palette_[i], 0);
    }
}

void RColorPicker::SetColor(const GfxColor& color) {
    CurrentPaintColor() = color;
    PostMessage(kMsgColorSet, reinterpret_cast<uintptr_t>(&CurrentPaintColor()), 1);
}

void RColorPicker::Choose(int index) {
    if (index < 0 || index >= int(palette_.size())) return;
    CurrentPaintColor() = palette_[size_t(index)];
    PostMessage(kMsgColorChosen, reinterpret_cast<uintptr_t>(&CurrentPaintColor()), 0);
    Close();
}

u32 RColorPicker::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code != kMsgColorSwatch || !IsOpen()) return 0;
    Choose(int(message->param1));
    return 1;
}

u32 RColorPicker::HandleInput(u32, Point16 point, u32) {
    if (!IsOpen() || rectContainsPoint(Area(), point)) return 0;
    if (rectContainsPoint(anchor_, point)) return 1;
    Close();
    return 1;
}

u32 RColorPicker::HandleKey(u32 key) {
    if (!IsOpen() || keyRecordVirtualKey(key) != plat::kVkEscape) return 0;
    Close();
    return 1;
}

RSmallColorPicker::RSmallColorPicker(CListener* owner, Point16 origin)
    : RColorPicker(owner, origin, kPickerColumns, kSmallPickerRows, kSmallSwatchSize) {}

}  // namespace Ostrel
