#pragma once
// Where pictures go on a printed sheet. Everything is in job units (kPrintResolution per inch)
// on the page area, the part of the sheet a job uses; "/" on integers truncates. The source
// picture is sw x sh units large. Pure functions, callable from any thread.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

namespace Ostrel {

constexpr u16 kPrintResolution = 150;

// The page area of a sheet whose printable rectangle is `printable` on the paper `paper`
// (both in device pixels at dpiX x dpiY): the printable part in job units from (0, 0), with
// the unprintable margins along the sheet's long side balanced, so that the picture sits in
// the middle of the paper rather than of the printable part.
Rect16 PrintPageArea(const Rect16& printable, const Rect16& paper, u16 dpiX, u16 dpiY, bool landscape);

// The page area kept a quarter of an inch (kSheetMargin) from every edge of the paper, as
// far as the printer's own unprintable margins do not keep it so already: what a printer
// that prints to the very edges (the "PDF file" printer) prints keeps a margin of white paper.
constexpr i32 kSheetMargin = kPrintResolution / 4;
Rect16 KeepOffThePapersEdges(const Rect16& area, const Rect16& printable, const Rect16& paper, u16 dpiX, u16 dpiY);

// The largest rectangle of the picture's proportions inside the area, centred in it: a full
// page keeps the picture's shape on any paper.
Rect16 FitInside(const Rect16& area, i32 sw, i32 sh);

// The picture across the full width of a cell, centred on the cell's middle row.
Rect16 FitToCellWidth(i32 left, i32 right, i32 cellTop, i32 cellHeight, i32 sw, i32 sh);

// Cell k of a folded card (1..4: top-left, bottom-left, bottom-right, top-right).
Rect16 CardCell(u16 k, const Rect16& area, i32 sw, i32 sh);
// Cell k of a comic page (1..6: three across, two down).
Rect16 ComicCell(u16 k, const Rect16& area, i32 sw, i32 sh);
// Cell k of a thumbnail sheet (1..24: four across, six down).
Rect16 ThumbnailCell(u16 k, const Rect16& area, i32 sw, i32 sh);
// Half k of a story book page (1, 2): side by side in landscape, one above the other in portrait.
Rect16 StoryCell(u16 k, const Rect16& area, bool landscape, i32 sw, i32 sh);
// Tile p (1..perSide^2, rows from the top) of the picture `picture` cut into perSide x perSide.
Rect16 PosterTile(u16 p, u16 perSide, const Rect16& picture);

}  // namespace Ostrel
