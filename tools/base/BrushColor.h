#pragma once
// The brushes' colour: one program-wide value that a panel sets from the current paint colour
// before it activates a tool; the tools paint with it. Black until set; the default colour
// value paints black too.
#include "engine/gfx/GfxColor.h"

void setBrushColor(const GfxColor& color);
const GfxColor& brushColor();
// A colour value as an RGB555 pixel: RGB values by their top five bits of each channel, the
// default colour and palette indices as black.
u16 rgb555FromColor(const GfxColor& color);
