#pragma once
// The base of the page-erase effects: a wipe that takes the picture to white over a fixed
// number of frames, one every kDestructoFrameMs, so that the child sees it whatever the rate
// of the ticks that step it. The eraser panel builds one per effect to show its icon and to
// hand it the canvas rectangle; the easel starts it, triggers it at a point and steps it at
// each tick with the time. While it runs it is busy; after its last frame the picture is all
// white and it posts 1333 to its owner. User-interface thread only.
#include "engine/regions/Rects.h"
#include "framework/messaging/RSender.h"
#include "tools/base/ToolCanvas.h"

constexpr u32 kDestructoFinished = 1333;
constexpr FourCC kDestructoTag = fourCC("DSTR");
constexpr u16 kDestructoStarted = 0;
constexpr u16 kDestructoNotStarted = 1;
constexpr u32 kDestructoFrameMs = 40;

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
    // Paints the frames due at `now` (ms): the first at the first step, each later one
    // kDestructoFrameMs after the one before; a late step catches up. Answers the rectangle
    // of the picture it changed, empty when no frame was due.
    Rect16 Step(u32 now);
    // Paints every frame left at once (the picture is about to go).
    Rect16 Finish();

protected:
    // Paints frame `frame` (1 .. frames) of the wipe from the trigger point (picture
    // coordinates); the last frame must leave the picture white.
    virtual void PaintFrame(ToolCanvas& canvas, u16 frame, Point16 origin) = 0;

private:
    Rect16 PaintThrough(u16 last);

    CListener* owner_;
    i16 index_;
    u16 frames_;
    Rect16 canvasRect_{0, 0, 0, 0};
    PixelView picture_;
    Point16 origin_{0, 0};
    u16 frame_ = 0;
    u32 start_ = 0;
    bool busy_ = false;
};
