#pragma once
// Voice input for the voice-driven and hands-free brushes: a share of the microphone
// machinery (VoiceCapture) that the brush starts, reads spectra from, and stops. Every voice
// input shares the one machinery; the last one to go frees it. User-interface thread only.
#include <memory>

#include "sound/record/VoiceCapture.h"

namespace Ostrel {

class RVoiceInput {
public:
    RVoiceInput();
    ~RVoiceInput();
    RVoiceInput(const RVoiceInput&) = delete;
    RVoiceInput& operator=(const RVoiceInput&) = delete;

    // 0, or -1 when the microphone cannot be used; the brush then runs without voice.
    i32 Start();
    void Stop();
    bool IsStarted() const { return started_; }
    // 0 with the 512 magnitudes written; 0xFFFF while a spectrum is being computed (nothing
    // written) or when `capacity` is below 512 (that many written).
    u16 GetSpectrum(u16* out, u32 capacity, u16* peak, u16* peakIndex);
    VoiceCapture* Capture() const { return capture_.get(); }

private:
    std::shared_ptr<VoiceCapture> capture_;
    bool started_ = false;
};

}  // namespace Ostrel
