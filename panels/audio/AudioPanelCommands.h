#pragma once
// The audio panel's buttons (set 777) and the answers of its name dialog.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// Switches between browsing the sound libraries and recording.
constexpr u32 kMsgAudioToggleMode = 200;
constexpr u32 kMsgAudioRecord = 201;
constexpr u32 kMsgAudioStop = 202;
constexpr u32 kMsgAudioPlay = 203;
// Name the take (parameter 2 non-zero: browsing comes back after the dialog).
constexpr u32 kMsgAudioName = 207;
// Remove the chosen sound from the user's own library.
constexpr u32 kMsgAudioRemove = 208;
// The name dialog closed; the second also leaves recording mode.
constexpr u32 kMsgAudioNamed = 209;
constexpr u32 kMsgAudioNamedAndBack = 210;
// Remove the sound attached to the page.
constexpr u32 kMsgAudioRemovePageSound = 211;

}  // namespace Ostrel
