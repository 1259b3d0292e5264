#pragma once
// The sprite layer's sixteen sound channels. A request only books a channel; the screen
// update starts the booked channels in one batch (sprServiceSounds), after drawing, so that
// a sound starts with the frame that asked for it, and a later sound of the same owner (tag)
// cuts off the earlier one, except for tag 2. Each channel keeps its audio object for reuse;
// waves of 24576 bytes or more are streamed from their archive. The audio side's completion
// only marks its channel; the owner's done word, cue flag and cue text are written on the
// user-interface thread, at the next service or stop. Stopping an owner's sounds always lets go of the owner's words,
// even while sound is off, so no channel keeps a pointer into a removed sprite.
// User-interface thread only, except where noted.
#include <functional>

#include "engine/base/EngineTypes.h"
#include "engine/gfx/sprites/SprSounds.h"

constexpr u16 kSprChannels = 16;
constexpr u16 kSprNoChannel = 0xFFFF;
constexpr u32 kSprStreamBytes = 24576;
constexpr u32 kSprStreamPreload = 2000;
constexpr u16 kSprChannelFree = 0;
constexpr u16 kSprChannelRequested = 1;
constexpr u16 kSprChannelPlaying = 2;
constexpr u16 kSprChannelFinished = 3;
constexpr u16 kSprChannelOpen = 4;
// The done word of a sound that was stopped, freed or could not start.
constexpr u16 kSprSoundCancelled = 1;

// Asked when the audio device is busy: true to try again. Without one, the sound is dropped.
using SprDeviceBusyPrompt = std::function<bool()>;

// Installs the channels as the sprite layer's sound hooks.
void sprInstallSoundChannels();
void sprSetDeviceBusyPrompt(SprDeviceBusyPrompt prompt);

// 0 when booked; 1 when sound is off or no channel could be taken. The owner's cue text is
// written only within its stated size, always NUL-terminated (a size of 0 gets no text).
u16 sprPlaySound(const SprSoundRequest& request);
// Frees the channel that holds the sound while sound is on; as for an owner's sounds, a
// booking not opened yet still starts, without its owner's words.
void sprStopSound(u16 soundId);
// Frees every channel of the owner (tag bits 0-14; 0 frees all), booked or playing.
void sprStopTaggedSounds(u16 tag);
void sprStopAllSounds();
void sprServiceSoundChannels();
void sprFreeFinishedChannels();
u16 sprFindChannel(u16 soundId);
u16 sprChannelState(u16 index);
bool sprChannelStreamed(u16 index);
