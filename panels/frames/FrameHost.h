#pragma once
// What the edit frames and the frame maker ask of the canvas they stand on: the page shown,
// the canvas's place on the screen, the undo manager, and the redraws and sounds that follow
// a change of the page's objects. The easel's canvas answers.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

namespace Ostrel {

class RPageData;
class UndoManager;

class FrameHost {
public:
    virtual ~FrameHost() = default;
    // Null while no page is shown.
    virtual RPageData* ShownPage() const = 0;
    // The canvas in screen coordinates; page rectangles are relative to its top-left.
    virtual const Rect16& CanvasRect() const = 0;
    virtual UndoManager* Undo() const = 0;
    // The objects moved, came or went: the page shows them again, the painting kept, and is unsaved.
    virtual void ObjectsChanged() = 0;
    // What was painted goes into the page's picture, before objects are merged into it.
    virtual void KeepPainting() = 0;
    // Objects were merged into the page's picture, which the canvas shows again from the page.
    virtual void PictureMerged() = 0;
    // Out of service under a dialog, a picker or help, or a stroke under way: the objects take
    // no input.
    virtual bool TakesNoInput() const = 0;
    // An object is being placed: until it is put down or dropped, the keys are the canvas's.
    virtual bool IsPlacing() const { return false; }
    // Whether the current tool panel is the cut-and-move panel.
    virtual bool CutMovePanelCurrent() const = 0;
    // Tells the child that the page can take no more objects.
    virtual void TellPageFull() = 0;
    // The most Flash objects showing on a page; 0 for no limit.
    virtual u16 FlashObjectLimit() const { return 0; }
};

}  // namespace Ostrel
