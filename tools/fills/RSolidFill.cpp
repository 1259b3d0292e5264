#include "tools/fills/RSolidFill.h"

#include "tools/base/ToolPicture.h"

void RSolidFill::SetFillPatternId(u16 id) {
    RFill::SetFillPatternId(id);
    SetPatternTile(loadToolPicture(id));
}

u16 RSolidFill::FillPixel(const ToolCanvas& canvas, const PixelMask&, i32 x, i32 y) const {
    const u16 paint = canvas.PaintPixel();
    const PixelTile& texture = PatternTile();
    if (!texture.IsValid()) return paint;
    const u16 t = texture.At(x % texture.width, y % texture.height);
    auto screen = [](u32 a, u32 b) { return 31 - (31 - a) * (31 - b) / 31; };
    return rgb555FromChannels(screen(rgb555Red(paint), rgb555Red(t)), screen(rgb555Green(paint), rgb555Green(t)),
                              screen(rgb555Blue(paint), rgb555Blue(t)));
}
