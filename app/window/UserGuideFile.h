#pragma once
// The user guide: a PDF for each language, made with the content set and installed in the
// guide's folder (folder 15), which the Help menu opens in the desktop's viewer. The names are
// engine texts (Windows-1252): the Spanish one keeps its accent on disk.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr const char* kUserGuideEnglish = "Tumblo 4 User Guide.pdf";
constexpr const char* kUserGuideSpanish = "Tumblo 4 Gu\xED" "a del usuario.pdf";

// The guide of a language flag (0 English, 1 Spanish).
constexpr const char* UserGuideFileName(u16 language) { return language == 1 ? kUserGuideSpanish : kUserGuideEnglish; }

}  // namespace Ostrel
