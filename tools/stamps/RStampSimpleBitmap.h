#pragma once
// The rubber stamp: each press lays its picture centred on the point, white pixels left out.
// The stamp and alphabet panels give it the picture; the size picks a scale (full, one and a
// half, double, triple size) and only the panel's own choice sets it. Reset drops the picture until the next one is given.
#include "tools/base/PixelTile.h"
#include "tools/base/RTool.h"

class RStampSimpleBitmap : public RTool {
public:
    RStampSimpleBitmap();

    void SetPicture(PixelTile picture);
    // Scales the picture again for the current size.
    void Refresh();
    void Reset();
    void SelectSize(i16 index) override;
    // The stamp and alphabet panels choose its size themselves; the size factor is not its.
    void ApplySettings(const ToolSettings&) override {}
    bool HasPicture() const { return original_.IsValid(); }
    // The scale of the current size in percent.
    i32 ScalePercent() const;

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;

private:
    PixelTile original_;
    PixelTile scaled_;
};
