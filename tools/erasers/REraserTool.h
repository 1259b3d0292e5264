#pragma once
// The eraser: the plain pencil painting white, with a round (887) or square (888) tip that
// the eraser panel chooses. It keeps the plain pencil's tool id.
#include "tools/pencils/RCircle.h"

constexpr i16 kEraserShapeRound = 887;
constexpr i16 kEraserShapeSquare = 888;

class REraserTool : public RCircle {
public:
    // Any code other than the square's gives the round tip.
    void SetShape(i16 code) { square_ = code == kEraserShapeSquare; }
    i16 GetShape() const { return square_ ? kEraserShapeSquare : kEraserShapeRound; }

protected:
    u16 PaintPixel(const ToolCanvas&) const override { return kRgb555White; }
    const std::vector<DabSpan>& Spans() const override;

private:
    bool square_ = false;
    mutable std::vector<DabSpan> squareSpans_;
    mutable i32 squareSize_ = -1;
};
