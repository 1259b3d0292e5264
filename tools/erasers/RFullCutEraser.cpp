#include "tools/erasers/RFullCutEraser.h"

#include <algorithm>
#include <cstdlib>

RFullCutEraser::RFullCutEraser(CListener* owner, i16 index) : RDestructo(owner, index, kFullCutFrames) {}

void RFullCutEraser::PaintFrame(ToolCanvas& canvas, u16 frame, Point16 origin) {
    const PixelView& picture = canvas.Picture();
    const PixelView page = pixelViewOfBuffer(page_, picture.width, picture.height);
    if (frame == 1) page.CopyRectFrom(picture, picture.Bounds());
    picture.Fill(kRgb555White);
    canvas.MarkChanged(picture.Bounds());
    const i32 frames = FrameCount();
    if (frame >= frames) {
        std::vector<u16>().swap(page_);
        return;
    }
    const i32 farthest = std::max<i32>(origin.h, picture.width - origin.h) + 1;
    for (i32 x0 = 0; x0 < picture.width; x0 += kFullCutStrip) {
        // A strip starts to fall later the farther it is from the click (up to half the run)
        // and falls faster and faster, gone by the last frame.
        const i32 centre = x0 + kFullCutStrip / 2;
        const i32 start = std::abs(centre - origin.h) * (frames / 2) / farthest;
        const i64 t = std::max(0, frame - start), span = frames - start;
        const i32 drop = i32(i64(picture.height) * t * t / (span * span));
        const i32 x1 = std::min<i32>(x0 + kFullCutStrip, picture.width);
        for (i32 y = drop; y < picture.height; ++y)
            std::copy(page.Row(y - drop) + x0, page.Row(y - drop) + x1, picture.Row(y) + x0);
    }
}
