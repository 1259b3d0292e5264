#pragma once
// The full-cut page-erase: the picture is cut into strips that drop off the bottom of the
// page one after the other, the strips nearest the click first, leaving it white.
#include <vector>

#include "tools/erasers/RDestructo.h"

constexpr u16 kFullCutFrames = 30;
constexpr i32 kFullCutStrip = 40;

class RFullCutEraser : public RDestructo {
public:
    RFullCutEraser(CListener* owner, i16 index);

protected:
    void PaintFrame(ToolCanvas& canvas, u16 frame, Point16 origin) override;

private:
    std::vector<u16> page_;
};
