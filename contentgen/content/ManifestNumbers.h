#pragma once
// Whole numbers read from a manifest for fields of a fixed width (resource ids, shapes,
// sizes, rectangles): a value that does not fit is refused, never cut to fit.
#include <string>

#include <nlohmann/json.hpp>

#include "engine/base/EngineTypes.h"

// Throws ArtError naming `what` when the value is not a whole number in the field's range.
u16 manifestU16(const nlohmann::json& value, const std::string& what);
i16 manifestI16(const nlohmann::json& value, const std::string& what);
