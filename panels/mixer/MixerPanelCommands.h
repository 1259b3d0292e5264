#pragma once
// The messages of the mixer panel's buttons: its two pages and the size buttons' one click
// message, which carries the size button's command in parameter 1.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum MixerPanelCommand : u32 {
    kMsgMixerSize = 18200,
    kMsgMixerEffectsPage = 18600,
    kMsgMixerBrushesPage = 18601,
};

}  // namespace Ostrel
