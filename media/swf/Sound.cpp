#include "media/swf/Sound.h"

#include <algorithm>
#include <cstring>

#include "media/swf/Player.h"

namespace swf {

namespace {

constexpr u32 kPointRate = 44100;

// Points count samples at 44100 Hz: the factor rate / 44100 in 16.16, then the product, in
// 64 bits so that no point wraps.
u64 ToSourceRate(u32 point, u32 rate) {
    const u64 factor = (u64(rate) << 16) / kPointRate;
    return (u64(point) * factor) >> 16;
}

}  // namespace

sound::sound(player& root, const document& owner, u16 frame, const SoundInfo& info)
    : player_(root), owner_(owner), frame_(frame), info_(info) {
    tagObject* character = owner.FindCharacter(info.soundId);
    void* face = nullptr;
    if (character && dynamic_cast<tagDefineSound*>(character) &&
        static_cast<tagDefineSound*>(character)->QueryInterface(typeid(i_wavedata), &face) == kOk)
        source_ = static_cast<i_wavedata*>(face);
    u32 count = 0;
    if (source_) {
        source_->AddRef();
        if (source_->GetFormat(channels_, bits_, sampleRate_, count) != kOk) count = 0;
    }
    const u64 in = info.inPoint ? ToSourceRate(info.inPoint, sampleRate_) : 0;
    const u64 out = info.outPoint ? ToSourceRate(info.outPoint, sampleRate_) : count;
    outPoint_ = u32(std::min<u64>(out, count));
    inPoint_ = u32(std::min<u64>(in, outPoint_));
    player_.Sounds().push_back(this);
}

sound::~sound() {
    ForgetWavePlay();
    if (source_) source_->Release();
    std::erase(player_.Sounds(), this);
}

void sound::ForgetWavePlay() {
    if (!wavePlay_) return;
    i_waveplay* play = wavePlay_;
    wavePlay_ = nullptr;
    play->Stop();
    play->Release();
}

Result sound::QueryInterface(const std::type_info& id, void** out) {
    if (SameInterface(id, typeid(i_object)) || SameInterface(id, typeid(i_wavedata))) {
        *out = static_cast<i_wavedata*>(this);
        AddRef();
        return kOk;
    }
    *out = nullptr;
    return kErrNoInterface;
}

Result sound::GetFormat(u16& channels, u16& bitsPerSample, u32& sampleRate, u32& sampleCount) {
    if (!source_) return kErrNotFound;
    channels = channels_;
    bitsPerSample = bits_;
    sampleRate = sampleRate_;
    sampleCount = outPoint_ - inPoint_;
    return kOk;
}

Result sound::ReadSamples(u32 position, u32 count, void* samples) {
    if (!source_) return kErrNotFound;
    const u32 length = outPoint_ - inPoint_;
    const u32 inside = position < length ? std::min(count, length - position) : 0;
    Result result = kOk;
    if (inside) result = source_->ReadSamples(inPoint_ + position, inside, samples);
    const u32 frameBytes = u32(bits_ / 8) * channels_;
    std::memset(static_cast<u8*>(samples) + u64(inside) * frameBytes, bits_ == 8 ? 0x80 : 0,
                size_t(u64(count - inside) * frameBytes));
    return result;
}

Result sound::Start(u16 currentFrame, bool& finished) {
    finished = false;
    if (!wavePlay_) {
        i_host* host = Host();
        if (!host) return kErrNoInterface;
        i_waveplay* made = nullptr;
        SWF_TRY(host->CreateWavePlay(made, this));
        wavePlay_ = made;
    }
    const u64 frames = currentFrame > frame_ ? u64(currentFrame - frame_) : 0;
    // Seconds in 16.16 first, so that whole seconds of frames come out whole.
    const u64 rate = std::max(owner_.frameRate, kMinFrameRate);
    const u64 elapsed = ((frames << 32) / rate * 1000) >> 16;
    const u64 duration = sampleRate_ ? u64(outPoint_ - inPoint_) * 1000 / sampleRate_ : 0;
    // The loop count says how many times the sound is heard; none means once.
    u64 plays = (info_.flags & kSoundHasLoops) ? std::max<u16>(info_.loops, 1) : 1;
    if (duration == 0 || elapsed / duration >= plays) {
        ForgetWavePlay();
        finished = true;
        return kOk;
    }
    plays -= elapsed / duration;
    if (wavePlay_->Play(u32(elapsed % duration), u16(plays)) != kOk) ForgetWavePlay();
    return kOk;
}

}  // namespace swf
