#pragma once
// What building a content item needs besides its manifest: the shared screen layout, the
// texts, the art library and fonts, and the language being built (items with a Spanish
// variant are built twice).
#include <nlohmann/json.hpp>

#include "contentgen/content/ArtFonts.h"
#include "contentgen/content/ArtPainter.h"
#include "contentgen/content/TextCatalog.h"

struct ContentContext {
    const nlohmann::json& layout;       // { "name": [x, y, w, h], ... } on the 800 x 600 screen
    const nlohmann::json& artLibrary;   // named operation lists, drawn in a 100 x 100 box
    const TextCatalog& texts;
    const ArtFonts& fonts;
};

// [x, y, w, h] of a layout name written "@name"; throws ArtError for an unknown name.
nlohmann::json layoutRect(const ContentContext& context, const std::string& reference);
// A position or size: a pair of numbers, or "@name" taking that layout rectangle's place
// (which = 0) or size (which = 1).
std::pair<int, int> layoutPair(const ContentContext& context, const nlohmann::json& value, int which);
