#pragma once
// The firecracker page-erase: a white blast grows from the trigger point with a ring of
// sparks at its edge until the whole picture is white.
#include "tools/erasers/RDestructo.h"

constexpr u16 kFirecrackerFrames = 24;

class RDFirecracker : public RDestructo {
public:
    RDFirecracker(CListener* owner, i16 index);

protected:
    void PaintFrame(ToolCanvas& canvas, u16 frame, Point16 origin) override;
};
