#pragma once
// Picture files placed on a page and page pictures written to files through the media
// runtime: import becomes a JPEG picture block of the placed picture; export writes the
// picture of a port's rectangle in one of six formats. User-interface thread only.
#include <string>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPort.h"

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
// The proportional fit of mode 14; `flag` is 0 at every caller.
void RectFit(Rect16* picture, const Rect16& target, u16 shrink, u16 flag);
u16 imgExportPicture(const std::string& path, GfxPort* source, Rect16 sourceRect, u32 format);
// The runtime's last result as an export result.
u16 imgExportResult(i16 runtimeResult);
