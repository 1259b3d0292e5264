#pragma once
// The stamp editor: a rubber stamp shown enlarged as a grid of 8 x 8-unit cells, with a
// pencil (Ctrl erases), a fill bucket (Ctrl recolours every pixel of the clicked colour), a
// colour palette, rotate, flip, revert, erase all and undo, over the paint screen. The stamp
// panel opens it on a stamp's picture; Done hands the edited stamp to the panel
// (RStampEditorOwner::CommitStampEdit) and tells the panel it may delete the editor
// (kMsgStampEditorClosed); Cancel, and Escape with it, closes it keeping nothing. Only plain
// 16-bit stamps of at most 32 x 32 pixels are edited. While it is open the main window's menu
// bar is grayed. User-interface thread only.
#include <array>
#include <memory>
#include <span>
#include <vector>

#include "app/dialogs/RDlgBase.h"
#include "app/stampeditor/RStampEditorOwner.h"
#include "app/stampeditor/StampEditorCommands.h"
#include "app/stampeditor/StampGrid.h"
#include "sound/RSound.h"

namespace Ostrel {

constexpr const char* kStampEditorContent = "StampEditor";
// The editor's shape group, backdrop and button set.
constexpr u16 kStampEditorLayout = 14000;
constexpr u16 kStampEditorButtonSet = 14000;
constexpr u16 kStampEditorGridShape = 14001;
constexpr u16 kStampEditorPreviewShape = 14002;
constexpr u16 kStampEditorPaletteShape = 14003;
constexpr u16 kStampEditorSwatchShape = 14031;
constexpr u16 kStampEditorPalettePicture = 14000;
constexpr i16 kStampCellSide = 8;
constexpr u16 kStampEditorFirstColour = 4195;
// The undo steps, one code each.
constexpr FourCC kStampUndoPencil = fourCC("txEd");
constexpr FourCC kStampUndoFill = fourCC("txFi");
constexpr FourCC kStampUndoRotate = fourCC("txRo");
constexpr FourCC kStampUndoFlip = fourCC("txFl");
constexpr FourCC kStampUndoRevert = fourCC("txRe");
constexpr FourCC kStampUndoEraseAll = fourCC("txEx");

class RStampEditor : public RDlgBase {
public:
    // `panel` hears kMsgStampEditorClosed; `owner` commits and supplies the stored stamp.
    RStampEditor(CListener* panel, RStampEditorOwner* owner);
    ~RStampEditor() override;

    // Puts the editor up over the screen; 0 when it is ready, else 1.
    u16 Open();
    // Takes a stamp to edit (`isNew`: a blank stamp of the picture's size); 0, or 1 when the
    // editor is not ready or the picture is not a plain 16-bit stamp of at most 32 x 32.
    u16 EditStamp(std::span<const u8> bitmap, bool isNew);

    void BuildButtons() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    void HandleTick(u32 now) override;

    bool IsReady() const { return ready_; }
    bool IsModified() const { return modified_ != 0; }
    i16 RevertFlag() const { return revert_; }
    bool IsErasing() const { return erasing_; }
    bool PencilOn() const { return pencil_; }
    bool FillOn() const { return fill_; }
    bool HasStamp() const { return hasStamp_; }
    // The stamp as edited so far, and as it was handed in (after CommitChanges: as kept).
    const StampGrid& Stamp() const { return current_; }
    const StampGrid& HandedIn() const { return handedIn_; }
    u16 CurrentColour() const { return colour_; }
    void SetCurrentColour(u16 colour);

    // The editing steps (each a checkpoint for undo but SetPixel, whose stroke is one).
    void SetPixel(i32 x, i32 y, bool erase);
    void FloodFill(i32 x, i32 y);
    void Rotate();
    void Flip(u16 direction);
    void Revert();
    void EraseAll();
    void SwapUndo();
    void CommitChanges();
    void Reset();
    // A click at a point of the grid (the pencil or the fill, as chosen) or the palette.
    void ClickGrid(Point16 point, bool control);
    void PickColour(Point16 point);
    // The cell under a point: floor division, so points left of or above the grid are outside.
    Point16 CellAt(Point16 point) const;
    Rect16 GridRect() const;
    Rect16 PreviewRect() const;
    Rect16 SwatchRect() const;
    Rect16 PaletteRect() const;
    // One step of the erase animation; the last posts kStampEdEraseEnd.
    void EraseStep();

private:
    Rect16 ViewRect(size_t view) const;
    void Checkpoint(FourCC code);
    void Changed();
    void Redraw();
    void PlaySound(size_t which);
    void StopSound(size_t which);
    void Close(bool keep);
    void MakeViews();
    static void DrawGrid(SprSprite* sprite);
    static void DrawPreview(SprSprite* sprite);
    static void DrawPalette(SprSprite* sprite);
    static void DrawSwatch(SprSprite* sprite);
    static void ReleaseUndo(CListener* owner, FourCC code);
    // The grid the views show: the erase animation's while it runs.
    const StampGrid& Shown() const { return erasing_ ? eraseCopy_ : current_; }

    RStampEditorOwner* owner_;
    bool ready_ = false;
    bool hasStamp_ = false;
    u16 modified_ = 0;
    i16 revert_ = -1;
    bool pencil_ = false;
    bool fill_ = false;
    bool stroking_ = false;
    Point16 lastCell_{0, 0};
    bool erasing_ = false;
    u16 colour_ = kStampEditorFirstColour;
    StampGrid handedIn_;
    StampGrid current_;
    StampGrid undo_;
    bool undoValid_ = false;
    u16 undoModified_ = 0;
    i16 undoRevert_ = -1;
    StampGrid eraseCopy_;
    Rect16 eraseRect_{0, 0, 0, 0};
    std::vector<u8> palette_;
    std::array<u16, 4> sprites_{};
    std::array<std::unique_ptr<RSound>, 5> sounds_;
};

}  // namespace Ostrel
