#include "media/export/FlashSounds.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <typeinfo>

#include "platform/audio/choice/AudioChoice.h"

namespace {

i16 sampleAt(const std::vector<u8>& bytes, size_t index, u16 bits) {
    if (bits == 8) return i16((i32(bytes[index]) - 0x80) * 256);
    i16 sample = 0;
    std::memcpy(&sample, &bytes[index * 2], 2);
    return sample;
}

}  // namespace

// One sound of the movie as the engine holds it: counted references, its source held while it
// lives, and the voice of the mix it is heard as.
class FlashSounds::Player final : public swf::i_waveplay {
public:
    Player(FlashSounds& owner, swf::i_wavedata* source) : owner_(owner), source_(source) {
        if (source_) source_->AddRef();
        owner_.plays_.push_back(this);
    }
    u32 AddRef() override { return ++count_; }
    u32 Release() override {
        if (--count_ > 0) return count_;
        delete this;
        return 0;
    }
    swf::Result QueryInterface(const std::type_info& id, void** out) override {
        if (swf::SameInterface(id, typeid(swf::i_object)) || swf::SameInterface(id, typeid(swf::i_waveplay))) {
            *out = static_cast<swf::i_waveplay*>(this);
            AddRef();
            return swf::kOk;
        }
        *out = nullptr;
        return swf::kErrNoInterface;
    }
    swf::Result Play(u32 startMs, u16 plays) override {
        Stop();
        if (!source_) return swf::kErrNoInterface;
        voice_ = owner_.Start(*source_, startMs, plays);
        return voice_ ? swf::kOk : swf::kErrBadData;
    }
    swf::Result Stop() override {
        owner_.Stop(voice_);
        voice_ = 0;
        return swf::kOk;
    }
    // The source disposes of itself and may release this player: nothing is touched after.
    void GiveBackWhenHeard() {
        if (!voice_ || !owner_.Heard(voice_)) return;
        Stop();
        source_->Destroy();
    }

private:
    ~Player() {
        Stop();
        std::erase(owner_.plays_, this);
        if (source_) source_->Release();
    }

    FlashSounds& owner_;
    swf::i_wavedata* source_;
    u32 count_ = 0;
    u32 voice_ = 0;
};

FlashSounds::FlashSounds() {
    plat::AudioBackend& backend = plat::audioBackend();
    if (backend.deviceCount() == 0) return;
    sink_ = backend.openSink(0, plat::makePcmFormat(kFlashSoundRate, 2, 16),
                             [this](uint8_t* out, uint32_t frames) { Pull(out, frames); });
    if (sink_) sink_->start();
}

FlashSounds::~FlashSounds() {
    if (sink_) sink_->stop();
    sink_.reset();
}

swf::Result FlashSounds::CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source) {
    player = nullptr;
    auto* made = new (std::nothrow) Player(*this, source);
    if (!made) return swf::kErrMemory;
    made->AddRef();
    player = made;
    return swf::kOk;
}

void FlashSounds::Poll() {
    const std::vector<Player*> plays = plays_;
    for (Player* play : plays)
        if (std::find(plays_.begin(), plays_.end(), play) != plays_.end()) play->GiveBackWhenHeard();
}

size_t FlashSounds::Playing() const {
    std::lock_guard lock(mutex_);
    return size_t(std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.left > 0; }));
}

u32 FlashSounds::Start(swf::i_wavedata& source, u32 startMs, u16 plays) {
    u16 channels = 0, bits = 0;
    u32 rate = 0, count = 0;
    if (source.GetFormat(channels, bits, rate, count) != swf::kOk || (channels != 1 && channels != 2) ||
        (bits != 8 && bits != 16) || rate == 0 || count == 0)
        return 0;
    // A source longer than the longest sound kept is heard up to there.
    count = u32(std::min<u64>(count, u64(kFlashSoundMaxFrames) * rate / kFlashSoundRate + 1));
    std::vector<u8> bytes(size_t(count) * channels * (bits / 8));
    if (source.ReadSamples(0, count, bytes.data()) != swf::kOk) return 0;
    Voice voice;
    const u64 frames = std::max<u64>(u64(count) * kFlashSoundRate / rate, 1);
    voice.frames.resize(size_t(frames) * 2);
    for (u64 f = 0; f < frames; ++f) {
        // Each frame of the output takes the nearest one of the source before it.
        const size_t from = size_t(f * rate / kFlashSoundRate) * channels;
        voice.frames[size_t(f) * 2] = sampleAt(bytes, from, bits);
        voice.frames[size_t(f) * 2 + 1] = sampleAt(bytes, from + channels - 1, bits);
    }
    const u64 skipped = u64(startMs) * kFlashSoundRate / 1000;
    const u64 whole = frames * std::max<u16>(plays, 1);
    if (skipped >= whole) return 0;
    voice.at = size_t(skipped % frames);
    voice.left = whole - skipped;
    std::lock_guard lock(mutex_);
    voice.id = nextVoice_++;
    if (nextVoice_ == 0) nextVoice_ = 1;
    voices_.push_back(std::move(voice));
    return voices_.back().id;
}

void FlashSounds::Stop(u32 voice) {
    std::lock_guard lock(mutex_);
    std::erase_if(voices_, [&](const Voice& v) { return v.id == voice; });
}

bool FlashSounds::Heard(u32 voice) const {
    std::lock_guard lock(mutex_);
    return std::none_of(voices_.begin(), voices_.end(), [&](const Voice& v) { return v.id == voice && v.left > 0; });
}

void FlashSounds::Pull(u8* out, u32 frames) {
    std::vector<i32> mix(size_t(frames) * 2, 0);
    {
        std::lock_guard lock(mutex_);
        for (Voice& v : voices_) {
            const size_t length = v.frames.size() / 2;
            for (u32 f = 0; f < frames && v.left > 0; ++f, --v.left) {
                mix[size_t(f) * 2] += v.frames[v.at * 2];
                mix[size_t(f) * 2 + 1] += v.frames[v.at * 2 + 1];
                if (++v.at == length) v.at = 0;
            }
        }
    }
    for (size_t i = 0; i < mix.size(); ++i) {
        const i16 sample = i16(std::clamp<i32>(mix[i], -32768, 32767));
        std::memcpy(out + i * 2, &sample, 2);
    }
}
