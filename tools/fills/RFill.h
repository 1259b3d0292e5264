#pragma once
// The fill bucket: a press fills the area of the pressed pixel's colour. The solid fill paints
// it with the brushes' colour through a texture, the pattern fill tiles a pattern picture over
// it (anchored at the picture's corner, so neighbouring fills line up), and the gradient fill
// stretches its picture over it. The fill panel sets the fill pattern id of the chosen strip
// item, and each strip icon is drawn from the same picture, so it shows what it pours.
#include "tools/base/PixelMask.h"
#include "tools/base/PixelTile.h"
#include "tools/base/RTool.h"

class RFill : public RTool {
public:
    explicit RFill(i16 toolId);

    virtual void SetFillPatternId(u16 id) { patternId_ = id; }
    u16 GetFillPatternId() const { return patternId_; }
    // The tile the pattern fill repeats; an invalid tile paints the brushes' colour.
    void SetPatternTile(PixelTile tile) { tile_ = std::move(tile); }

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    // The pixel for (x, y) of the area.
    virtual u16 FillPixel(const ToolCanvas& canvas, const PixelMask& area, i32 x, i32 y) const;
    const PixelTile& PatternTile() const { return tile_; }

private:
    u16 patternId_ = 0;
    PixelTile tile_;
};
