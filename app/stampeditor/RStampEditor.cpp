#include "app/stampeditor/RStampEditor.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "app/application/RApplication.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "framework/resources/mfxReadResource.h"
#include "framework/undo/UndoManager.h"
#include "platform/ui/Messages.h"

namespace Ostrel {

namespace {

// The sounds, in the order of sounds_: erase all, fill, pencil, undo, palette pick.
constexpr std::array<u16, 5> kSoundIds = {14006, 14007, 14008, 14009, 14010};
constexpr size_t kSoundEraseAll = 0;
constexpr size_t kSoundFill = 1;
constexpr size_t kSoundPencil = 2;
constexpr size_t kSoundUndo = 3;
constexpr size_t kSoundPalette = 4;
// The views, in the order of sprites_.
constexpr std::array<u16, 4> kViewShapes = {kStampEditorGridShape, kStampEditorPreviewShape, kStampEditorPaletteShape,
                                            kStampEditorSwatchShape};
constexpr size_t kGridView = 0;
constexpr size_t kPreviewView = 1;
constexpr size_t kPaletteView = 2;
constexpr size_t kSwatchView = 3;
constexpr u32 kViewFlags = kDialogRootSpriteFlags;
// The palette picture lies this far inside its frame; clicks count this far around it.
constexpr i16 kPaletteInset = 2;
constexpr i16 kPaletteMargin = 6;
constexpr i16 kEraseGrowth = 3;
constexpr i16 kPreviewInset = 4;
constexpr i16 kSwatchInset = 4;
const GfxColor kOutsideStamp = GfxColor::rgb(218, 218, 218);

GfxColor colourOf(u16 rgb555) {
    return GfxColor::rgb(u8(((rgb555 >> 10) & 31) << 3), u8(((rgb555 >> 5) & 31) << 3), u8((rgb555 & 31) << 3));
}

i32 floorDiv(i32 value, i32 by) { return value >= 0 ? value / by : -((-value + by - 1) / by); }

UndoManager* appUndo() {
    RApplication* app = GetApplication();
    return app ? app->GetUndoManager() : nullptr;
}

bool isUndoCode(u32 code) {
    for (FourCC undo : {kStampUndoPencil, kStampUndoFill, kStampUndoRotate, kStampUndoFlip, kStampUndoRevert, kStampUndoEraseAll})
        if (code == undo) return true;
    return false;
}

}  // namespace

RStampEditor::RStampEditor(CListener* panel, RStampEditorOwner* owner)
    : RDlgBase(panel, kMsgStampEditorClosed), owner_(owner) {}

RStampEditor::~RStampEditor() {
    for (size_t i = 0; i < sounds_.size(); ++i) StopSound(i);
    if (UndoManager* undo = appUndo()) undo->DiscardIfOwner(this);
    for (u16& sprite : sprites_)
        if (sprite != 0) sprDispose(&sprite);
}

u16 RStampEditor::Open() {
    if (ready_) return 0;
    if (Run(kStampEditorContent, kStampEditorLayout) != 0) return 1;
    for (size_t i = 0; i < sounds_.size(); ++i) sounds_[i] = std::make_unique<RSound>(kSoundIds[i], 0, 0);
    // The palette is drawn and read as a plain picture in machine order.
    if (mfxReadResource(kSprPictureType, kStampEditorPalettePicture, &palette_) != kErrNone ||
        !gfxPrepareBitmapWords(palette_.data(), u32(palette_.size())))
        palette_.clear();
    MakeViews();
    Reset();
    ready_ = !palette_.empty();
    sprUpdateScreen(1);
    return ready_ ? 0 : 1;
}

// The dialog's own button set is its tools, not set 777.
void RStampEditor::BuildButtons() { ButtonSet().Build(this, kStampEditorButtonSet); }

void RStampEditor::MakeViews() {
    constexpr std::array<SprDrawProc, 4> draws = {&RStampEditor::DrawGrid, &RStampEditor::DrawPreview,
                                                  &RStampEditor::DrawPalette, &RStampEditor::DrawSwatch};
    for (size_t i = 0; i < sprites_.size(); ++i) {
        const u16 id = sprNew(kViewFlags, kViewShapes[i], nullptr);
        SprSprite* sprite = id == kSprNoId ? nullptr : sprFind(id);
        if (sprite == nullptr) continue;
        sprites_[i] = id;
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprSetProcs(sprite, sprite->ready, sprite->step, draws[i]);
    }
}

u16 RStampEditor::EditStamp(std::span<const u8> bitmap, bool isNew) {
    if (!ready_) return 1;
    if (hasStamp_ && modified_) {
        CommitChanges();
        if (owner_) owner_->CommitStampEdit(modified_);
    }
    Reset();
    StampGrid stamp;
    if (StampFromBitmap(bitmap, &stamp) != kErrNone) {
        Redraw();
        return 1;
    }
    handedIn_ = stamp;
    current_ = isNew ? BlankStamp(stamp.width, stamp.height) : stamp;
    revert_ = isNew ? 1 : -1;
    hasStamp_ = true;
    Redraw();
    return 0;
}

void RStampEditor::Reset() {
    hasStamp_ = false;
    erasing_ = false;
    stroking_ = false;
    modified_ = 0;
    undoValid_ = false;
    revert_ = -1;
    undoRevert_ = -1;
    current_ = StampGrid{};
    handedIn_ = StampGrid{};
}

void RStampEditor::SetCurrentColour(u16 colour) {
    colour_ = u16(colour & 0x7FFF);
    if (SprSprite* swatch = sprFind(sprites_[kSwatchView])) sprInvalRect(swatch->bounds);
    sprUpdateScreen(1);
}

Rect16 RStampEditor::ViewRect(size_t view) const {
    const SprSprite* sprite = sprFind(sprites_[view]);
    return sprite ? sprite->bounds : Rect16{0, 0, 0, 0};
}

Rect16 RStampEditor::GridRect() const { return ViewRect(kGridView); }

Rect16 RStampEditor::PreviewRect() const { return ViewRect(kPreviewView); }

Rect16 RStampEditor::SwatchRect() const { return ViewRect(kSwatchView); }

Rect16 RStampEditor::PaletteRect() const {
    const SprSprite* palette = sprFind(sprites_[kPaletteView]);
    if (!palette) return Rect16{0, 0, 0, 0};
    const Rect16& b = palette->bounds;
    return Rect16{i16(b.left - kPaletteMargin), i16(b.top - kPaletteMargin), i16(b.right + kPaletteMargin),
                  i16(b.bottom + kPaletteMargin)};
}

Point16 RStampEditor::CellAt(Point16 point) const {
    const Rect16 grid = GridRect();
    return Point16{i16(floorDiv(point.h - grid.left, kStampCellSide)), i16(floorDiv(point.v - grid.top, kStampCellSide))};
}

void RStampEditor::Checkpoint(FourCC code) {
    undo_ = current_;
    undoModified_ = modified_;
    undoRevert_ = revert_;
    undoValid_ = true;
    if (UndoManager* undo = appUndo()) undo->SetCurrent(this, code, &RStampEditor::ReleaseUndo);
}

void RStampEditor::ReleaseUndo(CListener* owner, FourCC) {
    if (auto* editor = dynamic_cast<RStampEditor*>(owner)) editor->undoValid_ = false;
}

void RStampEditor::Changed() {
    modified_ = 1;
    revert_ = 1;
    Redraw();
}

void RStampEditor::Redraw() {
    for (size_t view : {kGridView, kPreviewView})
        if (SprSprite* sprite = sprFind(sprites_[view])) sprInvalRect(sprite->bounds);
    sprUpdateScreen(1);
}

void RStampEditor::SetPixel(i32 x, i32 y, bool erase) {
    if (!current_.Contains(x, y)) return;
    SetStampPixel(current_, x, y, erase ? kStampTransparent : colour_);
    Redraw();
}

void RStampEditor::FloodFill(i32 x, i32 y) {
    FloodFillStamp(current_, x, y, colour_);
    Redraw();
}

void RStampEditor::ClickGrid(Point16 point, bool control) {
    if (!hasStamp_ || erasing_ || (!pencil_ && !fill_)) return;
    const Point16 cell = CellAt(point);
    if (!current_.Contains(cell.h, cell.v)) return;
    if (fill_) {
        const u16 target = current_.At(cell.h, cell.v);
        Checkpoint(kStampUndoFill);
        if (control)
            ReplaceStampColour(current_, colour_, target);
        else
            FloodFillStamp(current_, cell.h, cell.v, colour_);
        PlaySound(kSoundFill);
    } else {
        Checkpoint(kStampUndoPencil);
        stroking_ = true;
        lastCell_ = cell;
        SetStampPixel(current_, cell.h, cell.v, control ? kStampTransparent : colour_);
        PlaySound(kSoundPencil);
    }
    Changed();
}

void RStampEditor::PickColour(Point16 point) {
    if (palette_.empty()) return;
    PlaySound(kSoundPalette);
    const SprSprite* sprite = sprFind(sprites_[kPaletteView]);
    if (!sprite) return;
    const i32 x = point.h - sprite->bounds.left - kPaletteInset;
    const i32 y = point.v - sprite->bounds.top - kPaletteInset;
    if (x < 0 || y < 0 || x > 0xFFFF || y > 0xFFFF) return;
    const i32 pixel = gfxGetBitmapPixel(palette_.data(), u32(palette_.size()), u16(x), u16(y));
    if (pixel < 0) return;
    SetCurrentColour(u16(pixel));
}

void RStampEditor::Rotate() {
    if (!hasStamp_) return;
    Checkpoint(kStampUndoRotate);
    RotateStamp(current_);
    Changed();
}

void RStampEditor::Flip(u16 direction) {
    if (!hasStamp_) return;
    Checkpoint(kStampUndoFlip);
    FlipStamp(current_, direction == 1);
    Changed();
}

void RStampEditor::Revert() {
    if (!hasStamp_ || revert_ == 0) return;
    Checkpoint(kStampUndoRevert);
    std::vector<u8> stored;
    StampGrid grid;
    // A stored picture that is no usable stamp (another size than a grid holds, another depth)
    // is not copied in.
    if (!owner_ || !owner_->StoredStampPicture(&stored) || StampFromBitmap(stored, &grid) != kErrNone) return;
    current_ = grid;
    modified_ = current_ == handedIn_ ? 0 : 1;
    Redraw();
}

void RStampEditor::EraseAll() {
    if (!hasStamp_) return;
    Checkpoint(kStampUndoEraseAll);
    eraseCopy_ = current_;
    ReplaceStampColour(current_, kStampTransparent, -1);
    const i16 top = i16(current_.height / 2 - 1);
    const i16 left = i16(current_.width / 2 - 1);
    eraseRect_ = Rect16{left, top, i16(left + 2), i16(top + 2)};
    erasing_ = true;
    modified_ = 1;
    revert_ = 1;
    PlaySound(kSoundEraseAll);
    EraseStep();
}

void RStampEditor::EraseStep() {
    if (!erasing_) return;
    const Rect16 r = eraseRect_;
    if (r.top >= 0 && r.left >= 0 && r.bottom <= eraseCopy_.height && r.right <= eraseCopy_.width) {
        for (i32 y = r.top; y < r.bottom; ++y)
            for (i32 x = r.left; x < r.right; ++x) eraseCopy_.At(x, y) = kStampTransparent;
    } else {
        ReplaceStampColour(eraseCopy_, kStampTransparent, -1);
        PostMessageTo(this, kStampEdEraseEnd, 0, 0);
    }
    eraseRect_ = Rect16{i16(r.left - kEraseGrowth), i16(r.top - kEraseGrowth), i16(r.right + kEraseGrowth),
                        i16(r.bottom + kEraseGrowth)};
    Redraw();
}

void RStampEditor::SwapUndo() {
    if (!undoValid_) return;
    std::swap(current_, undo_);
    std::swap(modified_, undoModified_);
    std::swap(revert_, undoRevert_);
    erasing_ = false;
    Redraw();
}

void RStampEditor::CommitChanges() {
    if (current_ == handedIn_) {
        modified_ = 0;
        return;
    }
    handedIn_ = current_;
}

void RStampEditor::Close(bool keep) {
    if (!ready_) return;
    if (!keep) modified_ = 0;
    if (modified_) CommitChanges();
    if (owner_) owner_->CommitStampEdit(modified_);
    ready_ = false;
    Answer(keep ? kDlgResultConfirm : kDlgResultLeave, reinterpret_cast<uintptr_t>(this), 0);
}

void RStampEditor::PlaySound(size_t which) {
    if (sounds_[which]) sounds_[which]->Play();
}

void RStampEditor::StopSound(size_t which) {
    if (sounds_[which] && sounds_[which]->IsPlaying()) sounds_[which]->Stop();
}

u32 RStampEditor::HandleMessage(RMessage* message, uintptr_t data) {
    const u32 code = message->code;
    if (isUndoCode(code)) {
        SwapUndo();
        return 0;
    }
    switch (code) {
    case kStampEdPencil:
        pencil_ = true;
        fill_ = false;
        return 0;
    case kStampEdFill:
        fill_ = true;
        pencil_ = false;
        return 0;
    case kStampEdUndo:
        PlaySound(kSoundUndo);
        // The program's undo step says Undo or Redo in the menu; without it the step swaps here.
        if (UndoManager* undo = appUndo(); undo && undoValid_)
            undo->Undo();
        else
            SwapUndo();
        return 0;
    case kStampEdEraseAll: EraseAll(); return 0;
    case kStampEdFlip: Flip(1); return 0;
    case kStampEdRotate: Rotate(); return 0;
    case kStampEdRevert: Revert(); return 0;
    // Escape leaves as Cancel does.
    case kDlgResultLeave:
    case kStampEdCancel: Close(false); return 0;
    case kStampEdDone: Close(true); return 0;
    case kStampEdEraseEnd:
        erasing_ = false;
        StopSound(kSoundEraseAll);
        Redraw();
        return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

u32 RStampEditor::HandleInput(u32, Point16 point, u32 buttons) {
    if (!ready_) return 1;
    const bool control = (buttons & plat::kMouseControl) != 0;
    if (rectContainsPoint(GridRect(), point))
        ClickGrid(point, control);
    else if (rectContainsPoint(PaletteRect(), point))
        PickColour(point);
    return 1;
}

u32 RStampEditor::HandleMouseMove(Point16 point, u32 buttons) {
    if (!stroking_ || !pencil_) return 1;
    const Point16 cell = CellAt(point);
    const bool erase = (buttons & plat::kMouseControl) != 0;
    // A quick stroke skips cells between two moves: the cells on the way are set too.
    const i32 steps = std::max(std::abs(cell.h - lastCell_.h), std::abs(cell.v - lastCell_.v));
    bool changed = false;
    for (i32 i = 1; i <= steps; ++i) {
        const i32 x = lastCell_.h + (cell.h - lastCell_.h) * i / steps;
        const i32 y = lastCell_.v + (cell.v - lastCell_.v) * i / steps;
        if (!current_.Contains(x, y)) continue;
        SetStampPixel(current_, x, y, erase ? kStampTransparent : colour_);
        changed = true;
    }
    lastCell_ = cell;
    if (changed) Redraw();
    return 1;
}

u32 RStampEditor::HandleMouseUp(u32, Point16, u32) {
    if (stroking_) {
        stroking_ = false;
        StopSound(kSoundPencil);
    }
    return 1;
}

void RStampEditor::HandleTick(u32) {
    if (erasing_) EraseStep();
}

// --- Drawing

void RStampEditor::DrawGrid(SprSprite* sprite) {
    sprDraw(sprite);
    const auto* editor = reinterpret_cast<const RStampEditor*>(sprite->data1);
    if (!editor || sprite->hideCount > 0) return;
    const StampGrid& grid = editor->Shown();
    const Rect16& b = sprite->bounds;
    for (i32 y = 0; y < kStampGridSide; ++y)
        for (i32 x = 0; x < kStampGridSide; ++x) {
            const Rect16 cell{i16(b.left + x * kStampCellSide + 1), i16(b.top + y * kStampCellSide + 1),
                              i16(b.left + (x + 1) * kStampCellSide), i16(b.top + (y + 1) * kStampCellSide)};
            if (!grid.Contains(x, y))
                gfxFillRect(cell, kOutsideStamp, 0);
            else if (grid.At(x, y) != kStampTransparent)
                gfxFillRect(cell, colourOf(grid.At(x, y)), 0);
        }
}

void RStampEditor::DrawPreview(SprSprite* sprite) {
    sprDraw(sprite);
    const auto* editor = reinterpret_cast<const RStampEditor*>(sprite->data1);
    if (!editor || sprite->hideCount > 0) return;
    const StampGrid& grid = editor->Shown();
    if (grid.width <= 0 || grid.height <= 0) return;
    const Rect16& b = sprite->bounds;
    const i32 room = std::min(b.right - b.left, b.bottom - b.top) - 2 * kPreviewInset;
    const i32 scale = std::max(1, room / std::max(grid.width, grid.height));
    const i32 left = (b.left + b.right - grid.width * scale) / 2;
    const i32 top = (b.top + b.bottom - grid.height * scale) / 2;
    for (i32 y = 0; y < grid.height; ++y)
        for (i32 x = 0; x < grid.width; ++x)
            if (grid.At(x, y) != kStampTransparent)
                gfxFillRect(Rect16{i16(left + x * scale), i16(top + y * scale), i16(left + (x + 1) * scale),
                                   i16(top + (y + 1) * scale)},
                            colourOf(grid.At(x, y)), 0);
}

void RStampEditor::DrawPalette(SprSprite* sprite) {
    sprDraw(sprite);
    const auto* editor = reinterpret_cast<const RStampEditor*>(sprite->data1);
    if (!editor || sprite->hideCount > 0 || editor->palette_.empty()) return;
    const Rect16& b = sprite->bounds;
    gfxDrawBitmapInRect(editor->palette_.data(), u32(editor->palette_.size()),
                        Rect16{i16(b.left + kPaletteInset), i16(b.top + kPaletteInset), i16(b.right - kPaletteInset),
                               i16(b.bottom - kPaletteInset)},
                        0, 0);
}

void RStampEditor::DrawSwatch(SprSprite* sprite) {
    sprDraw(sprite);
    const auto* editor = reinterpret_cast<const RStampEditor*>(sprite->data1);
    if (!editor || sprite->hideCount > 0 || editor->colour_ == kStampTransparent) return;
    const Rect16& b = sprite->bounds;
    gfxFillRect(Rect16{i16(b.left + kSwatchInset), i16(b.top + kSwatchInset), i16(b.right - kSwatchInset),
                       i16(b.bottom - kSwatchInset)},
                colourOf(editor->colour_), 0);
}

}  // namespace Ostrel
