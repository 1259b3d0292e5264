#pragma once
// The edit frame of a picture on the page ('tBMP' other than the page's background, 'tMBM'):
// the outline lies one pixel outside the picture, and the picture is painted anew, scaled to
// its rectangle, when a move or resize ends.
#include "panels/frames/REditFrame.h"

namespace Ostrel {

class RMBitmapEditFrame : public REditFrame {
public:
    using REditFrame::REditFrame;
    Rect16 GetRect() const override;
    bool WriteBack(const Rect16& frame) override;
};

}  // namespace Ostrel
