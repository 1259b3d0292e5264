#pragma once
// The roller's and the spray's patterns: the strip shows the 'tBMP' pictures 24000, 24100, ...
// for as long as they exist; item i paints with the shape group (i + 240) x 100.
#include <vector>

#include "framework/controls/ScrollerPicture.h"

namespace Ostrel {

constexpr u16 kPatternFirstId = 24000;
constexpr u16 kPatternIdStep = 100;

// The pictures of the open archives from 24000 up, until one is missing or the id wraps.
std::vector<ScrollerPicture> LoadPatternPictures();
// The shape group of item i; 0 for an item whose group id would not fit.
u16 PatternGroupOfItem(int item);

}  // namespace Ostrel
