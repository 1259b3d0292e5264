#pragma once
// One character measured in a font made for it and disposed of at once: the plain way, kept
// as the reference that StyleFonts must agree with.
#include "text/measure/CharMeasurer.h"

CharMetrics MeasureStyledChar(u8 c, const TextStyle& style);
