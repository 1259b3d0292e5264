#pragma once
// Picture files placed on a page and page pictures written to files through the media
// runtime: import becomes a JPEG picture block of the placed picture, previewed over the page
// in the import dialog; export writes the picture of a port's rectangle in one of six formats.
// User-interface thread only.
#include <string>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPort.h"
#include "platform/ui/Messages.h"

// Placement modes of imgImportFileToBitmap.
constexpr u32 kImgPlaceNatural = 13;  // natural size at the origin; stretched over the target when too big
constexpr u32 kImgPlaceFit = 14;      // fitted keeping proportions, centred
constexpr u32 kImgPlaceCentre = 15;   // centred at natural size; fitted when too big
constexpr u32 kImgPlaceTile = 16;     // repeated column by column

// Export results besides the runtime's own: out of memory, file errors, disk full, other.
constexpr u16 kImgExportOther = 1;
constexpr u16 kImgExportNoMemory = 10103;
constexpr u16 kImgExportFileError = 10300;
constexpr u16 kImgExportDiskFull = 10313;

memHandle imgImportFileToBitmap(const std::string& path, u32* totalSize, u32 ignored, Rect16* pictureRect,
                                const Rect16& target, Rect16* placement, u32 mode, GfxPort* port);
// Draws the import preview into the window's client area: the page's picture (`pagePicture`,
// expanded in place, or white without one) scaled into `preview`, with the placed picture of
// the JPEG picture block (`size` bytes at `block`) over it as the mode places it on a page of
// `page`'s size; tiled, the cells alone, shrunk by the preview's scale. Nothing is drawn
// outside `preview`.
void imgImportPictureFile(const u8* block, u32 size, plat::WindowHandle window, const Rect16& pictureRect,
                          const Rect16& preview, const Rect16& page, u32 mode, memHandle pagePicture);
// The proportional fit of mode 14; `flag` is 0 at every caller.
void RectFit(Rect16* picture, const Rect16& target, u16 shrink, u16 flag);
u16 imgExportPicture(const std::string& path, GfxPort* source, Rect16 sourceRect, u32 format);
// The runtime's last result as an export result.
u16 imgExportResult(i16 runtimeResult);
