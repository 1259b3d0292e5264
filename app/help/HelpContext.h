#pragma once
// The process-wide help words: the three button-set ids the current screen shows (help mode
// loads them again to find what the child points at) and the help item of the current panel.
// Screens and panels set them as they change; help mode reads them. User-interface thread only.
#include <array>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

struct HelpContext {
    std::array<u16, 3> buttonSets{};
    u16 currentItem = 0;
};

// The one set of help words.
HelpContext& GetHelpContext();

}  // namespace Ostrel
