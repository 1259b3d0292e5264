#pragma once
// The audio module's own state and the helpers its parts share.
#include <optional>
#include <string>

#include "engine/audio/Audio.h"
#include "engine/audio/MidiMap.h"

struct AudioModuleState {
    EngineErr lastError = kErrNone;
    bool initialised = false;
    bool active = false;
    bool activating = false;
    AudioObject* live = nullptr;
    AudioSettings settings;
    u16 defaultMidiDevice = 0;
    u16 defaultWaveDevice = 0xFFFF;
    MidiMap cachedMidiMap = nullptr;
    AudioXDecRecord* decompressors = nullptr;
};

AudioModuleState& audioModule();
EngineErr audioSetLastError(EngineErr err);
void audioLinkObject(AudioObject* object);
void audioUnlinkObject(AudioObject* object);
bool audioIsLive(const AudioObject* object);
// The device a setting names: a number below the device count, else a product name.
u16 audioChooseMidiDevice(const std::optional<std::string>& setting);
u16 audioChooseWaveDevice(const std::optional<std::string>& setting);
