// The import dialog's preview of a picture placed on the page.
#include <algorithm>

#include "engine/gfx/GfxDDrawWindowPort.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/OffscreenPortForRect.h"
#include "engine/regions/RectConversions.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "media/quicktime/JpegPictureBlock.h"

namespace {

const GfxColor kPreviewBackground = GfxColor::rgb(255, 255, 255);

i32 widthOf(const Rect16& r) { return i32(r.right) - r.left; }
i32 heightOf(const Rect16& r) { return i32(r.bottom) - r.top; }

// Where the picture lands in a preview-sized picture (origin 0, 0), as the mode places it.
Rect16 placedInPreview(const Rect16& picture, const Rect16& preview, const Rect16& page, u32 mode, bool tooBig) {
    const i16 pw = i16(widthOf(preview)), ph = i16(heightOf(preview));
    const Rect16 whole{0, 0, pw, ph};
    const i32 pageW = std::max(widthOf(page), 1), pageH = std::max(heightOf(page), 1);
    if (mode == kImgPlaceNatural) {
        // In the corner at its own size, shrunk by the preview's scale; one too big for the
        // page is stretched over it, as the page gets it.
        if (widthOf(picture) > pageW || heightOf(picture) > pageH) return whole;
        return Rect16{0, 0, i16(widthOf(picture) * pw / pageW), i16(heightOf(picture) * ph / pageH)};
    }
    Rect16 placed = picture;
    if (mode == kImgPlaceFit) {
        RectFit(&placed, whole, u16(tooBig), 0);
        RectCenterIn(&placed, whole);
        return placed;
    }
    // Centred: placed on the page as it would be, then shrunk by the preview's scale.
    RectFit(&placed, page, 1, 0);
    placed.right = i16(placed.left + widthOf(placed) * pw / pageW);
    placed.bottom = i16(placed.top + heightOf(placed) * ph / pageH);
    RectCenterIn(&placed, preview);
    rectOffset(&placed, i16(-preview.left), i16(-preview.top));
    return placed;
}

// The page's picture scaled over the whole offscreen; white without one.
void drawPage(memHandle pagePicture, const Rect16& whole) {
    const memHandle expanded = pagePicture ? imgExpandPictureHandle(pagePicture) : 0;
    const u8* bitmap = expanded ? static_cast<const u8*>(memLockHandle(expanded)) : nullptr;
    if (!bitmap || gfxDrawBitmapInRect(bitmap, u32(memGetHandleSize(expanded)), whole, 0, 0) != kErrNone)
        gfxFillRect(whole, kPreviewBackground, 0);
    if (bitmap) memUnlockHandle(expanded);
}

// Cells of the tile size from the preview's top-left, column by column, cut at its edges.
// The block may hold the picture alone or already tiled over the page: either way its
// top-left tile is the cell.
void drawTiles(GfxPort* windowPort, const u8* block, u32 size, const JpegBlockHeader& header,
               const Rect16& picture, const Rect16& preview, const Rect16& page) {
    const i32 pageW = std::max(widthOf(page), 1), pageH = std::max(heightOf(page), 1);
    const i32 tileW = std::min<i32>(widthOf(picture), header.width), tileH = std::min<i32>(heightOf(picture), header.height);
    const i32 cellW = std::max<i32>(tileW * widthOf(preview) / pageW, 1);
    const i32 cellH = std::max<i32>(tileH * heightOf(preview) / pageH, 1);
    gfxFillRect(preview, kPreviewBackground, 0);
    const Rect16 cellRect{0, 0, i16(std::min<i32>(cellW, 0x7FFF)), i16(std::min<i32>(cellH, 0x7FFF))};
    GfxPort* cell = CreateOffscreenPortForRect(cellRect, 16);
    if (!cell) return;
    const Rect16 source{0, 0, i16(tileW), i16(tileH)};
    if (imgDecodeJPEG(block, size, cell, cellRect, source) == 0) {
        for (i32 x = preview.left; x < preview.right; x += cellW)
            for (i32 y = preview.top; y < preview.bottom; y += cellH) {
                const Rect16 to{i16(x), i16(y), i16(std::min<i32>(x + cellW, preview.right)),
                                i16(std::min<i32>(y + cellH, preview.bottom))};
                gfxCopyBits(windowPort, cell, to, Rect16{0, 0, i16(widthOf(to)), i16(heightOf(to))}, 0);
            }
    }
    gfxUnlockPort(cell);
    gfxDisposePort(cell);
}

}  // namespace

void imgImportPictureFile(const u8* block, u32 size, plat::WindowHandle window, const Rect16& pictureRect,
                          const Rect16& preview, const Rect16& page, u32 mode, memHandle pagePicture) {
    JpegBlockHeader header;
    if (!imgReadJPEGHeader(block, size, &header) || mode < kImgPlaceNatural || mode > kImgPlaceTile) return;
    const i32 pw = widthOf(preview), ph = heightOf(preview);
    if (pw <= 0 || ph <= 0) return;
    GfxPort* previous = gfxGetPort();
    // The window takes the current port's palette; the default one when no port is current.
    GfxPort* windowPort = gfxNewDDrawWindowPort(window, 0, previous ? gfxGetPortPalette() : nullptr);
    if (!windowPort) return;
    gfxLockPort(windowPort);
    gfxSetPort(windowPort);
    gfxRealizePalette(gfxGetPortPalette(), 0);
    if (mode == kImgPlaceTile) {
        drawTiles(windowPort, block, size, header, pictureRect, preview, page);
    } else {
        const bool tooBig = widthOf(pictureRect) > pw || heightOf(pictureRect) > ph;
        const Rect16 whole{0, 0, i16(pw), i16(ph)};
        if (GfxPort* offscreen = CreateOffscreenPortForRect(whole, 16)) {
            gfxSetPort(offscreen);
            drawPage(pagePicture, whole);
            const Rect16 placed = placedInPreview(pictureRect, preview, page, mode, tooBig);
            const Rect16 source{0, 0, i16(header.width), i16(header.height)};
            imgDecodeJPEG(block, size, offscreen, placed, source);
            gfxSetPort(windowPort);
            gfxCopyBits(windowPort, offscreen, preview, whole, 0);
            gfxUnlockPort(offscreen);
            gfxDisposePort(offscreen);
        }
    }
    gfxSetPort(previous);
    gfxUnlockPort(windowPort);
    gfxDisposePort(windowPort);
    if (previous) gfxRealizePalette(gfxGetPortPalette(), 0);
}
