#include "sound/record/RVoiceInput.h"

namespace Ostrel {

RVoiceInput::RVoiceInput() : capture_(VoiceCapture::Acquire()) {}

RVoiceInput::~RVoiceInput() { Stop(); }

i32 RVoiceInput::Start() {
    if (!capture_) return -1;
    const i32 result = capture_->Start();
    started_ = result == 0;
    return result;
}

void RVoiceInput::Stop() {
    if (started_ && capture_) capture_->Stop();
    started_ = false;
}

u16 RVoiceInput::GetSpectrum(u16* out, u32 capacity, u16* peak, u16* peakIndex) {
    return capture_ ? capture_->GetSpectrum(out, capacity, peak, peakIndex) : kSpectrumRefused;
}

}  // namespace Ostrel
