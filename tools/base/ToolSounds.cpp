#include "tools/base/ToolSounds.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kMinRate = 0.5f;
constexpr float kMaxRate = 2.0f;
constexpr float kUpwardLift = 0.1f;
constexpr u32 kPreloadMs = 0;
}  // namespace

Fixed strokeSoundRate(const StrokeMotion& motion, i32 fullSpeed) {
    float rate = kMinRate + (1.0f - kMinRate) * std::max(motion.speed, 0.0f) / float(std::max(fullSpeed, 1));
    float length = std::hypot(motion.dx, motion.dy);
    if (length > 0) rate += kUpwardLift * (-motion.dy / length);
    rate = std::clamp(rate, kMinRate, kMaxRate);
    return Fixed(std::lround(rate * float(kFixedOne)));
}

i16 strokeSoundPan(const StrokeMotion& motion) {
    float length = std::hypot(motion.dx, motion.dy);
    if (length <= 0) return 0;
    return i16(std::lround(motion.dx / length * float(Ostrel::kSoundPanRight)));
}

std::unique_ptr<Ostrel::RSound> ToolSounds::make(u16 id) {
    if (id == 0) return nullptr;
    auto sound = std::make_unique<Ostrel::RSound>(id, kPreloadMs, ResMapHandle{});
    return sound;
}

void ToolSounds::Load(const ToolParams& params) {
    start_ = make(params.startSound);
    stroke_ = make(params.strokeSound);
    end_ = make(params.endSound);
    fullSpeed_ = params.fullSpeed;
}

void ToolSounds::Start(bool soundsOn) {
    stroking_ = true;
    if (start_ && soundsOn) start_->Play();
}

void ToolSounds::Stroke(const StrokeMotion& motion, bool soundsOn) {
    // A tool finishing its line at the release moves once more: the stroke has ended.
    if (!stroking_ || !stroke_ || !soundsOn) return;
    stroke_->SetRate(strokeSoundRate(motion, fullSpeed_));
    stroke_->SetPan(strokeSoundPan(motion));
    if (!stroke_->IsPlaying()) stroke_->Play();
}

void ToolSounds::End(bool soundsOn) {
    stroking_ = false;
    if (stroke_) stroke_->Stop();
    if (end_ && soundsOn) end_->Play();
}
