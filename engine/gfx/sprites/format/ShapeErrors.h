#pragma once
// Error codes of the shape resources (graphics band 108xx): damaged groups, scripts, offset
// tables and compressed streams are refused with these, never followed.
#include "engine/base/EngineTypes.h"

constexpr EngineErr kShapeErrNoMethod = 10880;
constexpr EngineErr kShapeErrDamagedStream = 10881;
constexpr EngineErr kShapeErrDamagedGroup = 10882;
constexpr EngineErr kShapeErrDamagedScript = 10883;
constexpr EngineErr kShapeErrNoJpegDecoder = 10884;
