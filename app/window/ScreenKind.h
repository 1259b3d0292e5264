#pragma once
// The kinds of screen the application switches between, as the main window and the dialogs
// tell them apart.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum class ScreenKind : u8 { None, Splash, Easel, Picker, SlideShow };

}  // namespace Ostrel
