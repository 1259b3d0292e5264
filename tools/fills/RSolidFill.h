#pragma once
// The fill bucket with the brushes' colour. Its fill pattern id names a grey texture: black
// takes the colour whole, white leaves white, and the greys between lighten the colour
// (a screen of the two), the same coverage the strip's tinted icon masks carry. Without the
// texture it pours the colour plain.
#include "tools/base/ToolNames.h"
#include "tools/fills/RFill.h"

class RSolidFill : public RFill {
public:
    RSolidFill() : RFill(kToolIdSolidFill) {}
    void SetFillPatternId(u16 id) override;

protected:
    u16 FillPixel(const ToolCanvas& canvas, const PixelMask& area, i32 x, i32 y) const override;
};
