#pragma once
// The framework's menu bars ('MENU') and dialog templates ('DLOG') from their manifests.
// Every visible text names its language-file key ("Section/Key"); the stored text reference
// keeps that key and, as its fallback, the text of the language being built.
//   menu:   { "id", "popups": [{ "title": key, "items": [item, ...] }], "accelerators"? }
//   item:   { "command", "text": key, "accel"?: "Ctrl+S", "grayed"? } or { "separator": true }
//           or { "text": key, "submenu": { "title": key, "items": [...] } }
//   dialog: { "id", "size": [w, h], "title": key, "items": [{ "id", "kind", "rect": [l, t, r, b],
//             "text"?: key, "limit"?, "flags"?: ["default", "focus", ...] }] }
//   button set: { "id", "buttons": [{ "id", "shape": up shape (the other states follow it) or
//             "shapes": [up, highlighted, down, selected], "kind"?: "push" | "toggle" | "select",
//             "click"? (the id), "hover"?, "group"?, "cursor"?: [over, pressed], "hidden"?,
//             "disabled"? }] }; the hot spot is the rectangle of the button's shape
//   cursor: { "id", "hot": [x, y], "art": operations on 32 x 32 } drawn white with black
//             outlines; places under half coverage are transparent
#include <vector>

#include <nlohmann/json.hpp>

#include "contentgen/raster/Raster.h"
#include "contentgen/content/TextCatalog.h"
#include "engine/base/EngineTypes.h"

constexpr FourCC kMenuResourceType = fourCC("MENU");
constexpr FourCC kDialogResourceType = fourCC("DLOG");
constexpr FourCC kButtonSetResourceType = fourCC("MBTN");
constexpr FourCC kCursorType = fourCC("CURS");

// Throw ArtError for what the framework's readers would refuse or a text that is missing.
std::vector<u8> buildMainMenuResource(const TextCatalog& texts, Language language);
std::vector<u8> buildDialogResource(const nlohmann::json& dialog, const TextCatalog& texts, Language language);
std::vector<u8> buildButtonSet(const nlohmann::json& set);
// The cursor from its painted 32 x 32 picture: light places white, dark ones black.
std::vector<u8> buildCursorResource(const nlohmann::json& cursor, const Raster& picture);
