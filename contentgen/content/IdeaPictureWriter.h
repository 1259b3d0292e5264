#pragma once
// The Idea Machine's pictures to start from, one manifest of ideas/ each:
//   { "name": ["English", "Spanish"], "prompt": ["English", "Spanish"], "art": [...] }
// Each is a picture file (".tbx", the easel's own) for each language, under
// "Ideas/<language's folder>/<name in that language>.tbx": a page whose background is the art
// (drawn on the easel's canvas) with the prompt written across its top in that language, an
// outline for the child to colour and finish.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "contentgen/content/ContentContext.h"

// The file's path relative to the program folder; throws ArtError for a name that is not a
// pair of plain file names.
std::string ideaPicturePath(const nlohmann::json& idea, Language language);
// The file's bytes; throws ArtError (or the json library's errors) for a manifest it cannot build.
std::vector<u8> writeIdeaPicture(const nlohmann::json& idea, Language language, const ContentContext& context);
