#pragma once
// Which help page an element of the easel (and its panels) or of the picker opens: the
// element's command code gives the page's name and the code of the help dialog's answer.
// Several codes may share a page; a code without a page opens nothing.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr u32 kHelpReplyEasel = 20052;
constexpr u32 kHelpReplyPicker = 20054;
// The one element whose page offers the demonstration movie.
constexpr u16 kHelpDemoElement = 19006;

struct HelpPage {
    const char* name = nullptr;  // null: no page
    u32 reply = 0;
};

HelpPage HelpPageFor(u32 code);

}  // namespace Ostrel
