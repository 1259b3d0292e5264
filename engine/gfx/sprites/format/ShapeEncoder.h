#pragma once
// Writes the shape stream codings that shapeDecode reads: repeats of the last unit, copies
// of earlier bytes (up to 1023 back, 4 to 66 bytes, as long back-references) and literal
// units. Data of odd length is coded with one more byte, which the decoder cuts off. The
// content generator and the tests make compressed groups with it. Pure: any thread may call.
#include <span>
#include <vector>

#include "engine/gfx/sprites/format/ShapeDecoder.h"

std::vector<u8> shapeEncode(ShapeMethod method, std::span<const u8> data);
