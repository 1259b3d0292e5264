#pragma once
// The base of the page-erase effects: a wipe that takes the picture to white over a fixed
// number of frames. The eraser panel builds one per effect to show its icon and to hand it
// the canvas rectangle; the easel starts it, triggers it at a point and steps it once per
// frame tick. While it runs it is busy; after its last frame the picture is all white and it
// posts 1333 to its owner. User-interface thread only.
#include "engine/regions/Rects.h"
#include "framework/messaging/RSender.h"
#include "tools/base/ToolCanvas.h"

constexpr u32 kDestructoFinished = 1333;
constexpr FourCC kDestructoTag = fourCC("DSTR");
constexpr u16 kDestructoStarted = 0;
constexpr u16 kDestructoNotStarted = 1;

class RDestructo : public Ostrel::RSender {
public:
    RDestructo(CListener* owner, i16 index, u16 frames);

    i16 GetIndex() const { return index_; }
    u16 GetIconId() const;
    void SetCanvasRect(const Rect16& r) { canvasRect_ = r; }

    // Takes the canvas's picture (the tool manager's work picture); kDestructoNotStarted when
    // the rectangle or the picture is empty or a wipe is running.
    u16 Start(const Rect16& canvasRect, const PixelView& picture);
    // Where the wipe starts, in screen coordinates.
    void Trigger(Point16 screenPoint);
    bool IsBusy() const { return busy_; }
    u16 FrameCount() const { return frames_; }
    // Paints the next frame; answers the rectangle of the picture it changed.
    Rect16 Step();

protected:
    // Paints frame `frame` (1 .. frames) of the wipe from the trigger point (picture
    // coordinates); the last frame must leave the picture white.
    virtual void PaintFrame(ToolCanvas& canvas, u16 frame, Point16 origin) = 0;

private:
    CListener* owner_;
    i16 index_;
    u16 frames_;
    Rect16 canvasRect_{0, 0, 0, 0};
    PixelView picture_;
    Point16 origin_{0, 0};
    u16 frame_ = 0;
    bool busy_ = false;
};
