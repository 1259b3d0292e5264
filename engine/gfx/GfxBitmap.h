#pragma once
// Engine bitmaps: a big-endian header (width, height, row bytes, format word), an optional
// colour-table block and plain, packed or storage-compressed rows. Stored bitmaps are expanded
// in place in their memory handle before they are drawn, which also puts 16-bit pixels into
// machine order. Bitmaps come from files: every length and offset is checked against the
// block before it is followed. User-interface thread only.
#include "engine/base/MemoryHandles.h"

constexpr u32 kGfxBitmapHeaderSize = 8;
constexpr u16 kGfxFormatLzShort = 0x100;
constexpr u16 kGfxFormatLzLong = 0x200;
constexpr u16 kGfxFormatPlugin = 0xF00;
constexpr u16 kGfxFormatMachineOrder = 0x1000;
constexpr u8 kGfxTableEntries555 = 16;
constexpr u8 kGfxTableEntriesBgr = 24;
constexpr u16 kGfxMinWindowBits = 8;
constexpr u16 kGfxMaxWindowBits = 12;
// No stored picture comes near this (one of 4096 x 4096 pixels of 24 bits is 48 MB): a size
// that would expand beyond it is damaged, refused before anything is allocated.
constexpr u32 kGfxLargestExpandedBitmap = 64u << 20;

// Bits per pixel of a format's depth code, 0 for an unknown code.
int gfxBitsOfDepthCode(u16 format);
// Whether `height` plain rows of `rowBytes` (either sign) holding `width` pixels fit in `size`.
bool gfxPlainRowsFit(u16 width, u16 height, i16 rowBytes, int bits, u32 size);

// Row y (0 at the top) of plain rows; a negative row step means the rows are stored bottom-up.
inline const u8* gfxPlainRow(const u8* pixels, i16 rowBytes, u16 height, i32 y) {
    return rowBytes < 0 ? pixels + size_t(height - 1 - y) * size_t(-rowBytes) : pixels + size_t(y) * size_t(rowBytes);
}

EngineErr gfxExpandBitmap(memHandle bitmap);
// Puts the 16-bit colours of an uncompressed bitmap of `size` bytes into machine order and
// marks its format; other depths are left as they are. False (nothing changed) when its rows
// do not fit the block or its packing holds no 16-bit colours.
bool gfxPrepareBitmapWords(u8* bitmap, u32 size);
// The pixel at (x, y) of a bitmap of `size` bytes: an index, an RGB555 word, 0x00RRGGBB, the
// colour-table entry of the index (0x00RRGGBB) for bitmaps with a table, -2 for a transparent
// place of packed 16-bit rows; -1 with kGfxErrBadFormat for what cannot be read.
i32 gfxGetBitmapPixel(const u8* bitmap, u32 size, u16 x, u16 y);

// Expands an LZ stream of `inSize` bytes into exactly `outSize` bytes, with a window of
// 2^windowBits bytes at `window`. False for damaged streams: input ending early or a
// back-reference to a place before the first byte written.
bool gfxLzExpand(u8* out, const u8* in, u32 inSize, u32 outSize, u8* window, u16 windowBits);
void gfxSwapWords(u8* words, u32 count);
// Writes the block's entries as 2^bits table entries (blue, green, red, 0) at `table`; entries
// past the block's count are 0, and a block of unknown entry format gives an all-zero table.
void gfxConvertColorTable(const u8* block, u32 blockSize, int bits, u8* table);
