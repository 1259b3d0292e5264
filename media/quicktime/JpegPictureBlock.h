#pragma once
// The two picture block formats of stored pictures: the JPEG picture block (a 24-byte
// big-endian header, then the JPEG stream) and the raw picture block (an 8-byte header, then
// the pixel rows top row first). The word at offset 6 tells them apart: 0x0F00 in its middle
// bits marks a JPEG block. Blocks come from files: every reader checks the header's sizes
// against the block before it follows them.
#include "engine/base/EngineTypes.h"

constexpr u32 kJpegBlockHeaderSize = 24;
constexpr u32 kRawBlockHeaderSize = 8;
constexpr u16 kJpegBlockFormat = 0x0F00;
constexpr u16 kRawBlockFormat = 0x1000;
constexpr u32 kJpegCodecNameSize = 8;

struct JpegBlockHeader {
    u16 width = 0;
    u16 height = 0;
    u16 rowBytes = 0;
    u16 format = 0;
    u32 uncompressedSize = 0;
    u32 streamSize = 0;
};

// 2 for 8 bits, 4 for 24 and 32, 3 for any other depth.
u16 jpegDepthCode(u16 depth);
// 2 for 8 bits, 3 for 16, 4 for 24 and 32; any other depth stands for itself.
u16 rawDepthCode(u16 depth);
// (depth / 8) x width rounded up to 4 bytes; false when that does not fit the 16-bit field.
bool jpegBlockRowBytes(u16 width, u16 depth, u16* out);

// Fills the 24-byte header; false (nothing written) when the row bytes would overflow.
bool imgWriteJPEGHeader(u8* block, u16 width, u16 height, u16 depth, u32 streamSize, const char* codecName);
// The header word and codec name of a JPEG block ("jpeg" in any case, four zero bytes after).
bool imgIsJPEGBlock(const u8* block, u32 size);
// A JPEG block whose stream fits the block and whose picture has a size; false otherwise.
bool imgReadJPEGHeader(const u8* block, u32 size, JpegBlockHeader* out);
void imgWriteRawHeader(u8* block, u16 width, u16 height, u16 rowBytes, u16 depth);
