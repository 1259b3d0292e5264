#pragma once
// The records of 16-bit words in which each panel remembers a child's choices, and the section
// of the user's "user.ini" that holds each. A word read as -1 was never stored; each panel names
// the word that tells it to fall back on its defaults. The library panel's section is its media
// type code in decimal.
#include <array>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

using tCutMoveSaveData = std::array<i16, 2>;
using tEraserSaveData = std::array<i16, 4>;
using tFillPanelSaveData = std::array<i16, 4>;
using tMixerSaveData = std::array<i16, 4>;
using tPencilPanelSaveData = std::array<i16, 3>;
using tRealMediaSaveData = std::array<i16, 11>;
using tStampPanelSaveData = std::array<i16, 52>;
using tTextPanelSaveData = std::array<i16, 24>;
using tLibSaveData = std::array<i16, 76>;

constexpr const char* kCutPanelSection = "CutPanel";
constexpr const char* kEraserPanelSection = "EraserPanel";
constexpr const char* kFillPanelSection = "FillPanel";
constexpr const char* kMixerPanelSection = "MixerPanel";
constexpr const char* kPencilPanelSection = "PencilPanel";
constexpr const char* kRealMediaPanelSection = "RealMediaPanel";
constexpr const char* kStampPanelSection = "StampPanel";
constexpr const char* kTextPanelSection = "TextPanel";

constexpr i16 kPrefsNotStored = -1;

}  // namespace Ostrel
