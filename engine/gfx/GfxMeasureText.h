#pragma once
// Measuring a text in the current port's font, for laying text out before drawing it.
// User-interface thread only.
#include "engine/base/EngineTypes.h"

// The ink of a text: how far it starts right of the pen, how wide it is, and how far its
// advance runs past the ink on the right.
struct GfxTextExtents {
    i16 leading;
    i16 inkWidth;
    i16 trailing;
};

// Up to the terminating zero.
constexpr u16 kGfxTextToZero = 0xFFFF;

// `extraPerSpace` pixels are added at every space, as when the text is drawn justified.
EngineErr gfxMeasureText(GfxTextExtents* out, const char* text, u16 length, i16 extraPerSpace);
