#pragma once
// A curve in two drags: the first lays a straight line from the press to the release, the
// second pulls its middle toward the mouse; the second release draws it with the pencil.
// Between the drags the line shows as a band in the picture that bends toward the pointer as
// it moves (Follow); the curve keeps what lay under the band and puts that back. Finishing
// between the two drags draws the straight line.
#include "tools/base/PixelTile.h"
#include "tools/base/RDragTool.h"

class RCurve : public RDragTool {
public:
    explicit RCurve(CListener* owner);
    void Finish(ToolCanvas& canvas) override;
    // The straight line waiting to be bent goes away unpainted.
    void Drop(ToolCanvas& canvas) override;
    bool Follow(ToolCanvas& canvas, Point16 p) override;
    bool IsBending() const { return bending_; }

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void MouseMove(ToolCanvas& canvas, Point16 p) override;
    void MouseUp(ToolCanvas& canvas, Point16 p) override;
    std::vector<Point16> Outline() const override;
    bool IsClosed() const override { return false; }

private:
    // Takes every band away: this stroke's, and the straight line's of the first drag (which
    // is then no part of this stroke's undo).
    void Clean(ToolCanvas& canvas);
    // Puts back what the band waiting to be bent covers, unless the picture changed there.
    void LiftBand(ToolCanvas& canvas);

    bool bending_ = false;
    Point16 from_{0, 0};
    Point16 to_{0, 0};
    Point16 control_{0, 0};
    Rect16 band_{0, 0, 0, 0};
    Rect16 underRect_{0, 0, 0, 0};
    PixelTile under_;
    // The same rectangle with the line on it, as the first drag left it.
    PixelTile banded_;
};
