#pragma once
// The voice level from the microphone: the loudest band of the voice input's latest spectrum,
// counted against what a shout gives. It listens from its making to its end; while a spectrum
// is being computed it answers the last level it read.
#include "engine/base/EngineTypes.h"
#include "sound/record/RVoiceInput.h"
#include "tools/voice/VoiceLevel.h"

// The spectrum's peak magnitude that counts as a shout (a sine at half of full scale gives 32).
constexpr u16 kShoutPeak = 24;

// The level a spectrum's peak magnitude stands for.
float levelFromPeak(u16 peak);

class MicrophoneLevel : public VoiceLevel {
public:
    MicrophoneLevel();
    ~MicrophoneLevel() override;
    float Level() override;

private:
    Ostrel::RVoiceInput input_;
    bool hearing_ = false;
    float last_ = 0;
};
