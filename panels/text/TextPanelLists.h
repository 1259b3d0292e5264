#pragma once
// What the text panel's popups offer: the installed font families, the fixed sizes, and the
// voices of the program's language, with the lookups that turn remembered values into places
// in those lists. A lookup never answers a place past its list.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr std::array<u16, 15> kTextSizes = {72, 48, 36, 32, 28, 24, 22, 20, 18, 16, 14, 12, 10, 9, 7};
// A size not in the list picks 32 points.
constexpr int kTextSizeFallback = 3;
constexpr int kTextSizeDefault = 10;
constexpr const char* kTextDefaultFont = "Arial";

// The names of the installed families that write words (no maths, symbol or emoji family),
// sorted byte-wise, each once.
std::vector<std::string> installedFontNames();
// Sorts byte-wise and keeps the first of equal names.
void sortFontNames(std::vector<std::string>* names);
// The place of the first name of the same length equal to `name` but for case; entry 1 when
// there is none (entry 0 on a list of one, 0 on an empty one).
int findFont(const std::vector<std::string>& names, std::string_view name);
// The place of the size; kTextSizeFallback when it is not offered.
int findSize(i32 points);
// Three voices in English, two in Spanish (`spanish`).
std::vector<std::string> voiceNames(bool spanish);
// A voice place within a list of `count` voices: itself, else 0.
u16 clampVoice(i32 voice, size_t count);

}  // namespace Ostrel
