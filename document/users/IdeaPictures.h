#pragma once
// The Idea Machine's pictures to start from: picture files made with the content set and
// installed in the ideas folder (kFolderIdeas), a folder for each language holding the same
// pictures named in that language. The Idea Machine's dialog opens the one of the language the
// child reads.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr const char* kIdeasFolderName = "Ideas";

// The folder of a language flag (0 English, 1 Spanish) inside the ideas folder.
constexpr const char* IdeasLanguageFolder(u16 language) { return language == 1 ? "Spanish" : "English"; }

}  // namespace Ostrel
