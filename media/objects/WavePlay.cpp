#include "media/objects/WavePlay.h"

#include <cstring>
#include <typeinfo>

#include "engine/audio/Audio.h"
#include "engine/audio/AudioObject.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/base/ByteOrder.h"
#include "engine/os/OsIntervalTasks.h"

namespace {

constexpr u16 kDefaultDevice = 0xFFFF;
constexpr u32 kImageLengthField = kWavePlayImageSize - 8;
constexpr u32 kDataLengthField = 20 + sizeof(void*);
constexpr u32 kSourceField = 40;

}  // namespace

void writeWavePlayImage(u8* image, const WavePlayFormat& format, u16 plays, swf::i_wavedata* source) {
    const u16 loops = plays > 1 ? u16(plays - 1) : 0;
    std::memset(image, 0, kWavePlayImageSize);
    writeBE32(image, fourCC("KVRW"));
    writeBE32(image + 4, kImageLengthField);
    writeBE32(image + 8, fourCC("WAVE"));
    writeBE32(image + 12, fourCC("Data"));
    writeBE32(image + 16, kDataLengthField);
    writeBE16(image + 20, u16(format.sampleRate));
    writeBE32(image + 22, format.frames);
    image[26] = u8(format.bitsPerSample);
    image[27] = u8(format.channels);
    writeBE16(image + 28, kWavePlayEncoding);
    writeBE16(image + 30, loops);
    writeBE32(image + 32, 0);
    writeBE32(image + 36, loops ? format.frames : 0);
    std::memcpy(image + kSourceField, &source, sizeof source);
}

WavePlay::WavePlay(swf::i_wavedata* source) : source_(source) {
    if (source_) source_->AddRef();
}

WavePlay::~WavePlay() {
    Stop();
    if (source_) source_->Release();
}

swf::Result WavePlay::QueryInterface(const std::type_info& id, void** out) {
    if (!out) return swf::kErrNoInterface;
    if (swf::SameInterface(id, typeid(swf::i_object)) || swf::SameInterface(id, typeid(swf::i_waveplay))) {
        *out = static_cast<swf::i_waveplay*>(this);
        AddRef();
        return swf::kOk;
    }
    *out = nullptr;
    return swf::kErrNoInterface;
}

u32 WavePlay::Release() {
    if (count_ <= 1) {
        delete this;
        return 0;
    }
    return u32(--count_);
}

swf::Result WavePlay::Play(u32 startMs, u16 plays) {
    Stop();
    if (!source_) return swf::kErrNoInterface;
    WavePlayFormat format;
    if (const swf::Result result =
            source_->GetFormat(format.channels, format.bitsPerSample, format.sampleRate, format.frames))
        return result;
    image_ = memAllocHandle(kWavePlayImageSize);
    if (!image_) return memGetLastError();
    writeWavePlayImage(static_cast<u8*>(memLockHandle(image_)), format, plays, source_);
    memUnlockHandle(image_);
    finished_ = false;
    task_ = osmCreateIntervalTask(WatchEnd, this, kOsmEveryDispatch);
    AudioXDecRecord* record = audioRegisterXDec(kWavePlayEncoding, WavePlayXDec::Create);
    audio_ = audioNewFromHandle(image_);
    audioUnregisterXDec(record);
    EngineErr error = audio_ ? kErrNone : audioGetLastError();
    bool opened = false;
    if (error == kErrNone) opened = (error = audioOpen(audio_, kDefaultDevice)) == kErrNone;
    if (error == kErrNone) error = audioSetPosition(audio_, startMs);
    if (error == kErrNone) error = audioPlay(audio_, Finished, reinterpret_cast<uintptr_t>(this));
    if (error == kErrNone && task_) return swf::kOk;
    if (opened) audioClose(audio_);
    if (audio_) audioDispose(audio_);
    audio_ = nullptr;
    memFreeHandle(image_);
    image_ = 0;
    if (task_) osmDeleteIntervalTask(task_);
    task_ = nullptr;
    return error ? swf::Result(error) : swf::kErrMemory;
}

swf::Result WavePlay::Stop() {
    if (audio_) {
        audioStop(audio_);
        audioClose(audio_);
        audioDispose(audio_);
        audio_ = nullptr;
        memFreeHandle(image_);
        image_ = 0;
    }
    if (task_) {
        osmDeleteIntervalTask(task_);
        task_ = nullptr;
    }
    return swf::kOk;
}

void WavePlay::Finished(AudioObject*, const AudioNotification* notification, uintptr_t datum) {
    if (notification && notification->code == kAudioNotifyFinished)
        reinterpret_cast<WavePlay*>(datum)->finished_.store(true);
}

void WavePlay::WatchEnd(osmIntervalTask*, void* argument) {
    auto* player = static_cast<WavePlay*>(argument);
    // The source disposes of itself and may release this player: nothing is touched after.
    if (player->finished_.exchange(false) && player->source_) player->source_->Destroy();
}

WavePlayXDec::~WavePlayXDec() {
    if (source_) source_->Release();
}

EngineErr WavePlayXDec::SetFormat(const plat::WaveFormat& format, u32 sampleBytes, u32* stateSize, bool* nativeOrder) {
    format_ = format;
    sampleBytes_ = sampleBytes;
    *stateSize = 0;
    *nativeOrder = true;
    if (sampleBytes < sizeof(swf::i_wavedata*)) return kAudioErrNotSound;
    u8 pointer[sizeof(swf::i_wavedata*)];
    if (EngineErr err = ReadSamples(0, pointer, sizeof pointer)) return err;
    std::memcpy(&source_, pointer, sizeof source_);
    if (source_) source_->AddRef();
    return kErrNone;
}

EngineErr WavePlayXDec::Decode(u8* output, u32 frames, u32 firstFrame, u8*) {
    // The source answers every frame asked for, silence past its end; a source that fails
    // leaves nothing it half wrote.
    if (!source_ || source_->ReadSamples(firstFrame, frames, output) != swf::kOk)
        std::memset(output, format_.bitsPerSample == 8 ? 0x80 : 0, size_t(frames) * format_.blockAlign);
    return kErrNone;
}

std::unique_ptr<WaveXDec> WavePlayXDec::Create(WaveXDecHost& host) { return std::make_unique<WavePlayXDec>(host); }
