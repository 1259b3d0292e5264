#pragma once
// The framework's menu bars ('MENU') and dialog templates ('DLOG') from their manifests.
// Every visible text names its language-file key ("Section/Key"); the stored text reference
// keeps that key and, as its fallback, the text of the language being built.
//   menu:   { "id", "popups": [{ "title": key, "items": [item, ...] }], "accelerators"? }
//   item:   { "command", "text": key, "accel"?: "Ctrl+S", "grayed"? } or { "separator": true }
//           or { "text": key, "submenu": { "title": key, "items": [...] } }
//   dialog: { "id", "size": [w, h], "title": key, "items": [{ "id", "kind", "rect": [l, t, r, b],
//             "text"?: key, "limit"?, "flags"?: ["default", "focus", ...] }] }
#include <vector>

#include <nlohmann/json.hpp>

#include "contentgen/content/TextCatalog.h"
#include "engine/base/EngineTypes.h"

constexpr FourCC kMenuResourceType = fourCC("MENU");
constexpr FourCC kDialogResourceType = fourCC("DLOG");

// Throw ArtError for what the framework's readers would refuse or a text that is missing.
std::vector<u8> buildMenuResource(const nlohmann::json& menu, const TextCatalog& texts, Language language);
std::vector<u8> buildDialogResource(const nlohmann::json& dialog, const TextCatalog& texts, Language language);
