#pragma once
// The edit frame of a picture on the page ('tBMP' other than the page's background, 'tMBM'):
// the outline lies one pixel outside the picture. While the frame is moved or resized the
// picture is drawn scaled into it, so that it follows the pointer; the page takes it when the
// move or resize ends.
#include "panels/frames/REditFrame.h"

namespace Ostrel {

class RMBitmapEditFrame : public REditFrame {
public:
    using REditFrame::REditFrame;
    Rect16 GetRect() const override;
    bool WriteBack(const Rect16& frame) override;

protected:
    void DrawOutline(const Rect16& frame) const override;
};

}  // namespace Ostrel
