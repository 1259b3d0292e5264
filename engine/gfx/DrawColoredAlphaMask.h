#pragma once
// Draws an 8-bit alpha mask in one colour into the current port, which must be a 16-bit
// (RGB555) port whose pixels can be reached directly. The mask: big-endian width, height, row
// bytes and flags (kAlphaMaskRunLength: rows coded as runs), then its rows; a run-length row
// is a big-endian byte count, then runs of (c & 127) + 1 pixels, literal when bit 7 of c is
// clear, one repeated alpha when set. Masks come from files: rows and runs are bounded by the
// mask's size and by the row's width. User-interface thread only.
#include "engine/regions/Rects.h"

constexpr u16 kAlphaMaskRunLength = 0x0010;

// `colour`: red in bits 0-7, green 8-15, blue 16-23. Without `blend` a pixel becomes the
// colour scaled by its alpha; with it the colour is mixed over the pixel. Alpha 0 leaves the
// pixel. The mask's top-left lands on (x, y); `clip` (may be null) limits the drawing.
EngineErr DrawColoredAlphaMask(i16 x, i16 y, const u8* mask, u32 maskSize, u32 colour, bool blend, const Rect16* clip);
