#pragma once
// The letter brush: the alphabet, A to Z and again, in block letters along the stroke.
#include <algorithm>

#include "tools/brushes/RPathBrush.h"
#include "tools/wacky/TinyFont.h"

class RABC : public RPathBrush {
public:
    RABC();
    i32 Spacing() const override;
    // Pixels per cell of the letters: the size spans a letter's height.
    i32 Scale() const { return std::max<i32>(1, GetSize() / kTinyFontHeight); }

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;
};
