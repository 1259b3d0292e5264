#include "app/print/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace Ostrel {

namespace {

// Device pixels in job units, halves rounded up.
i32 jobUnits(i32 pixels, u16 dpi) { return dpi ? i32(std::floor(double(pixels) / dpi * kPrintResolution + 0.5)) : 0; }

Rect16 rect(i32 left, i32 top, i32 right, i32 bottom) { return Rect16{i16(left), i16(top), i16(right), i16(bottom)}; }

Rect16 shifted(Rect16 r, i32 dx) { return rect(r.left + dx, r.top, r.right + dx, r.bottom); }

// How far cells move right so that the pictures sit off the sheet's binding edge.
constexpr i32 kCellNudge = kPrintResolution / 16;
constexpr i32 kCardNudge = kPrintResolution / 8;
constexpr i32 kComicGutter = kPrintResolution / 4;
constexpr i32 kStoryMargin = 40;

}  // namespace

Rect16 PrintPageArea(const Rect16& printable, const Rect16& paper, u16 dpiX, u16 dpiY, bool landscape) {
    Rect16 area = rect(0, 0, jobUnits(printable.right - printable.left, dpiX), jobUnits(printable.bottom - printable.top, dpiY));
    const i32 m1 = landscape ? jobUnits(printable.left - paper.left, dpiY) : jobUnits(printable.top - paper.top, dpiY);
    const i32 m2 = landscape ? jobUnits(paper.right - printable.right, dpiY) : jobUnits(paper.bottom - printable.bottom, dpiY);
    if (m1 > m2) {
        (landscape ? area.right : area.bottom) -= i16(m1 - m2);
    } else if (m1 < m2) {
        (landscape ? area.left : area.top) = i16(m2 - m1);
    }
    return area;
}

Rect16 KeepOffThePapersEdges(const Rect16& area, const Rect16& printable, const Rect16& paper, u16 dpiX, u16 dpiY) {
    // The paper's edges in job units from the printable part's corner.
    const i32 left = -jobUnits(printable.left - paper.left, dpiX), top = -jobUnits(printable.top - paper.top, dpiY);
    const i32 right = jobUnits(paper.right - printable.left, dpiX), bottom = jobUnits(paper.bottom - printable.top, dpiY);
    return rect(std::max<i32>(area.left, left + kSheetMargin), std::max<i32>(area.top, top + kSheetMargin),
                std::min<i32>(area.right, right - kSheetMargin), std::min<i32>(area.bottom, bottom - kSheetMargin));
}

Rect16 FitInside(const Rect16& a, i32 sw, i32 sh) {
    const i32 w = a.right - a.left, h = a.bottom - a.top;
    if (sw <= 0 || sh <= 0 || w <= 0 || h <= 0) return rect(a.left, a.top, a.left, a.top);
    // The picture is the wider of the two: it takes the area's width.
    if (i64(w) * sh <= i64(h) * sw) {
        const i32 fh = i32(i64(w) * sh / sw);
        const i32 top = a.top + (h - fh) / 2;
        return rect(a.left, top, a.right, top + fh);
    }
    const i32 fw = i32(i64(h) * sw / sh);
    const i32 left = a.left + (w - fw) / 2;
    return rect(left, a.top, left + fw, a.bottom);
}

Rect16 FitToCellWidth(i32 left, i32 right, i32 cellTop, i32 cellHeight, i32 sw, i32 sh) {
    const i32 fh = sw > 0 && sh > 0 ? i32(double(right - left) / (double(sw) / double(sh))) : 0;
    const i32 cy = cellTop + cellHeight / 2;
    return rect(left, cy - fh / 2, right, cy + fh / 2);
}

Rect16 CardCell(u16 k, const Rect16& a, i32 sw, i32 sh) {
    const i32 xm = a.left + (a.right - a.left) / 2, ym = a.top + (a.bottom - a.top) / 2;
    const bool right = k == 3 || k == 4, bottom = k == 2 || k == 3;
    const i32 top = bottom ? ym : a.top, height = bottom ? a.bottom - ym : ym - a.top;
    const Rect16 fitted = FitToCellWidth(right ? xm : a.left, right ? a.right : xm, top, height, sw, sh);
    return right ? shifted(fitted, kCardNudge) : fitted;
}

Rect16 ComicCell(u16 k, const Rect16& a, i32 sw, i32 sh) {
    const i32 w = a.right - a.left, ym = a.top + (a.bottom - a.top) / 2;
    const i32 edges[4] = {a.left, a.left + w / 3, a.left + (2 * w) / 3, a.right};
    const i32 column = (k - 1) % 3;
    const bool bottom = k > 3;
    const i32 top = bottom ? ym : a.top, height = bottom ? a.bottom - ym : ym - a.top;
    Rect16 r = FitToCellWidth(edges[column], edges[column + 1], top, height, sw, sh);
    const i32 fh = r.bottom - r.top;
    // The rows pull apart from the middle, leaving a gutter between them.
    const i32 newTop = bottom ? ym + kComicGutter : ym - kComicGutter - fh;
    r = rect(r.left, newTop, r.right, newTop + fh);
    return shifted(r, kCellNudge);
}

Rect16 ThumbnailCell(u16 k, const Rect16& a, i32 sw, i32 sh) {
    const i32 w = a.right - a.left, rowHeight = (a.bottom - a.top) / 6;
    const i32 edges[5] = {a.left, a.left + w / 4, a.left + w / 2, a.left + (3 * w) / 4, a.right};
    const i32 column = (k - 1) % 4, row = (k - 1) / 4;
    const i32 top = a.top + row * rowHeight;
    return shifted(FitToCellWidth(edges[column], edges[column + 1], top, rowHeight, sw, sh), kCellNudge);
}

Rect16 StoryCell(u16 k, const Rect16& a, bool landscape, i32 sw, i32 sh) {
    const i32 w = a.right - a.left, h = a.bottom - a.top;
    if (sw <= 0 || sh <= 0) return Rect16{};
    if (landscape) {
        const i32 cw = w / 2 - kStoryMargin;
        const i32 fh = i32(double(cw) / (double(sw) / double(sh)));
        const i32 g = i32(double(w - 2 * cw) * 0.25);
        const i32 left = k == 1 ? a.left : a.left + w / 2, right = k == 1 ? a.left + w / 2 : a.right;
        return rect(left + g, h / 2 - fh / 2, right - g, h / 2 + fh / 2);
    }
    const i32 ch = h / 2 - kStoryMargin;
    const i32 fw = i32(double(ch) / (double(sh) / double(sw)));
    const i32 g = i32(double(h - 2 * ch) * 0.25);
    const i32 top = k == 1 ? a.top : a.top + h / 2, bottom = k == 1 ? a.top + h / 2 : a.bottom;
    return rect(w / 2 - fw / 2, top + g, w / 2 + fw / 2, bottom - g);
}

Rect16 PosterTile(u16 p, u16 perSide, const Rect16& q) {
    if (perSide == 0 || p == 0) return Rect16{};
    const i32 cw = (q.right - q.left) / perSide, ch = (q.bottom - q.top) / perSide;
    const i32 column = (p - 1) % perSide, row = (p - 1) / perSide;
    const i32 left = q.left + column * cw, top = q.top + row * ch;
    // Two by two tiles reach the picture's edge; three by three drop the remainder.
    const bool toRight = perSide == 2 && column == 1, toBottom = perSide == 2 && row == 1;
    return rect(left, top, toRight ? q.right : left + cw, toBottom ? q.bottom : top + ch);
}

}  // namespace Ostrel
