#include "engine/audio/WaveSound.h"

#include <algorithm>
#include <cstring>

#include "engine/audio/Audio.h"
#include "engine/audio/WaveRateTranslation.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"

namespace {

constexpr u32 kBufferBytes = 4096;
// Far enough ahead that clock comparisons, made on differences, still see it as later.
constexpr u32 kNeverMs = 0x7FFFFFFF;
// The feeding thread's stack: decoding keeps little on it, the sanitizers more.
constexpr u16 kFeedStackBytes = 0xC000;

EngineErr deviceError(u16 result) {
    switch (result) {
    case plat::kMmNoError: return kErrNone;
    case plat::kMmErrBadDeviceId: return kAudioErrBadDevice;
    case plat::kMmErrAllocated: return kAudioErrAllocated;
    case plat::kWaveErrBadFormat: return kAudioErrUnsupported;
    default: return kAudioErrDevice;
    }
}

}  // namespace

WaveSound::WaveSound() : AudioObject(kAudioKindWave) {}

EngineErr WaveSound::Create(memHandle image, WaveSound** out) {
    auto sound = std::unique_ptr<WaveSound>(new WaveSound);
    if (EngineErr err = sound->Setup(image, 0, 0)) return err;
    *out = sound.release();
    return kErrNone;
}

EngineErr WaveSound::Create(ResourceRef resource, u32 preloadMs, WaveSound** out) {
    auto sound = std::unique_ptr<WaveSound>(new WaveSound);
    memHandle loaded = resGetResourceHandle(resource);
    if (EngineErr err = sound->Setup(loaded, loaded ? 0 : resource, preloadMs)) return err;
    *out = sound.release();
    return kErrNone;
}

EngineErr WaveSound::Setup(memHandle image, ResourceRef resource, u32 preloadMs) {
    if (image) {
        const u8* bytes = static_cast<const u8*>(memLockHandle(image));
        if (!bytes) return kAudioErrOutOfMemory;
        image_ = image;
        const std::span<const u8> whole(bytes, u32(std::max(memGetHandleSize(image), i32(0))));
        if (EngineErr err = readArchiveWave(whole, &info_)) return err;
        source_ = std::make_unique<MemorySampleSource>(whole.subspan(info_.sampleOffset, info_.sampleBytes));
    } else {
        const i32 size = resGetResourceSize(resource);
        if (size < 0) return resGetLastError();
        const auto read = [resource](u32 offset, u8* out, u32 count) -> EngineErr {
            u32 done = count;
            if (EngineErr err = resReadResource(resource, out, &done, offset)) return err;
            return done == count ? kErrNone : kAudioErrNotSound;
        };
        if (EngineErr err = readArchiveWave(read, u32(size), &info_)) return err;
        source_ = std::make_unique<ResourceSampleSource>(resource, info_.sampleOffset);
        streamed_ = true;
    }
    mutex_ = osmCreateMutex(1);
    if (!mutex_) return osmGetLastError();

    if (info_.sampleRate == 0 || info_.channels < 1 || info_.channels > 2 || (info_.bits != 8 && info_.bits != 16))
        return kAudioErrUnsupported;
    const WaveXDecFactory factory = audioFindXDec(info_.encoding);
    if (!factory) return kAudioErrUnsupported;
    decoder_ = factory(*this);
    format_ = plat::makePcmFormat(info_.sampleRate, info_.channels, info_.bits);
    u32 stateSize = 0;
    if (EngineErr err = decoder_->SetFormat(format_, info_.sampleBytes, &stateSize, &nativeOrder_)) return err;
    state_.assign(stateSize, 0);
    info_.extraChunks.clear();

    duration = waveDurationMs(info_.frames, info_.sampleRate);
    framesPerBuffer_ = kBufferBytes / format_.blockAlign;
    queueLimit_ = 3 * u32(info_.sampleRate);
    loopCount_ = info_.loopCount;
    loopEnd_ = std::min(info_.loopEnd, info_.frames);
    loopStart_ = std::min(info_.loopStart, loopEnd_);
    if (streamed_ && preloadMs) {
        preloadLimit_ = FramesFromMs(preloadMs);
        if (EngineErr err = decoder_->Preload(preloadLimit_)) return err;
    }
    SetPosition(0);
    ResetLoop();
    return kErrNone;
}

WaveSound::~WaveSound() {
    if (open) DeviceClose();
    StopFeedingThread();
    decoder_.reset();
    if (mutex_) osmDeleteObject(mutex_);
    if (image_) memUnlockHandle(image_);
}

std::unique_ptr<std::vector<u8>> WaveSound::ClaimChunk(FourCC tag) {
    for (auto it = info_.extraChunks.begin(); it != info_.extraChunks.end(); ++it) {
        if (it->tag != tag) continue;
        auto chunk = std::make_unique<std::vector<u8>>(std::move(it->data));
        info_.extraChunks.erase(it);
        return chunk;
    }
    return nullptr;
}

u32 WaveSound::FramesFromMs(u32 ms) const { return u32(std::min<u64>(u64(ms) * info_.sampleRate / 1000, 0xFFFFFFFF)); }

EngineErr WaveSound::Lock(u32 limitMs) { return osmWaitForObject(mutex_, limitMs); }

void WaveSound::Unlock() { osmReleaseMutex(mutex_); }

EngineErr WaveSound::DeviceOpen() {
    StopFeedingThread();
    const AudioSettings& settings = audioSettings();
    const u16 result = waveOpenTranslated(&handle_, deviceId, format_, nativeOrder_, settings.translateWaveRateOnError,
                                          settings.waveRateTranslations, &WaveSound::MixerCallback,
                                          reinterpret_cast<uintptr_t>(this));
    if (EngineErr err = deviceError(result)) {
        handle_ = nullptr;
        return err;
    }
    if (balanceKept_) pcmMixSetBalance(handle_, balance_);
    event_ = osmCreateEvent(0);
    quit_ = false;
    thread_ = event_ ? osmCreateThread(&WaveSound::Feed, this, kFeedStackBytes, kOsmDefaultPriority) : nullptr;
    if (!thread_) return osmGetLastError();
    osmResumeThread(thread_);
    return kErrNone;
}

EngineErr WaveSound::DeviceSetRate(Fixed newRate) {
    return handle_ && pcmMixSetPlaybackRate(handle_, u32(newRate)) == plat::kMmNoError ? kErrNone : kAudioErrRate;
}

EngineErr WaveSound::DeviceSetVolume(Fixed newVolume) {
    return handle_ && pcmMixSetVolume(handle_, u32(newVolume)) == plat::kMmNoError ? kErrNone : kAudioErrVolume;
}

void WaveSound::StopFeedingThread() {
    if (thread_) {
        quit_ = true;
        // Closed from a notification the feeding thread delivers: that thread ends by itself
        // once the notification returns, and the next open or the destructor deletes it.
        if (osmGetCurrentThread() == thread_) return;
        osmSignalEvent(event_);
        osmWaitForObject(thread_, kOsmNoTimeout);
        osmDeleteObject(thread_);
        thread_ = nullptr;
    }
    if (event_) osmDeleteObject(event_);
    event_ = nullptr;
}

void WaveSound::DeviceClose() {
    if (handle_) {
        DeviceStop();
        balanceKept_ = pcmMixGetBalance(handle_, &balance_) == plat::kMmNoError;
        pcmMixReset(handle_);
        pcmMixClose(handle_);
        handle_ = nullptr;
    }
    StopFeedingThread();
    for (auto& buffer : buffers_) std::vector<u8>().swap(buffer->data);
    buffers_.clear();
    free_.clear();
}

EngineErr WaveSound::DeviceStart(bool startPaused) {
    if (!handle_) return kAudioErrDevice;
    pcmMixReset(handle_);
    pcmMixPause(handle_);
    ReturnAllBuffers();
    startFrame_ = writeFrame_ = positionFrame_;
    outputStarted_ = false;
    if (positionFrame_ == 0 && !info_.cues.empty() && info_.cues.front().frame == 0)
        Notify(kAudioNotifyMarker, info_.cues.front().name.data(), u32(info_.cues.front().name.size()));
    if (EngineErr err = FillPass()) return err;
    if (!startPaused) {
        endTime_ = plat::clockMillis() + RemainingMs();
        outputStarted_ = true;
        pcmMixRestart(handle_);
    }
    return kErrNone;
}

void WaveSound::DeviceStop() {
    if (!handle_) return;
    if (outputStarted_) positionFrame_ = std::min(FrameFromPlayed(PlayedNow()), info_.frames);
    pcmMixReset(handle_);
    ReturnAllBuffers();
    outputStarted_ = false;
}

u64 WaveSound::PlayedNow() {
    plat::TimeRecord time;
    time.type = plat::kTimeSamples;
    if (!handle_ || pcmMixGetPosition(handle_, &time, kPcmMixTimeSize) != plat::kMmNoError) return 0;
    return time.value;
}

u32 WaveSound::FrameFromPlayed(u64 played) const {
    for (const Segment& segment : segments_) {
        const u64 length = u64(segment.frames) * segment.plays;
        if (played < length) return segment.firstFrame + u32(played % segment.frames);
        played -= length;
    }
    return writeFrame_;
}

u32 WaveSound::GetPosition() {
    u32 frame = positionFrame_;
    if (acquired && (playing || paused) && outputStarted_) frame = std::min(FrameFromPlayed(PlayedNow()), info_.frames);
    return MsFromFrames(frame);
}

u32 WaveSound::RemainingMs() const {
    u64 frames = info_.frames - std::min(positionFrame_, info_.frames);
    if (LoopRunning()) {
        if (loopCount_ == kAudioLoopForever) return kNeverMs;
        frames += u64(loopCount_ - passesDone_) * (loopEnd_ - loopStart_);
    }
    const u64 ms = frames * 1000 / info_.sampleRate;
    return u32(std::min<u64>(ms * kFixedOne / u64(std::max<Fixed>(rate, 1)), kNeverMs));
}

EngineErr WaveSound::Pause() {
    if (handle_) pcmMixPause(handle_);
    positionFrame_ = std::min(FrameFromPlayed(PlayedNow()), info_.frames);
    paused = true;
    playing = false;
    Notify(kAudioNotifyPaused);
    return kErrNone;
}

EngineErr WaveSound::Resume() {
    endTime_ = plat::clockMillis() + RemainingMs();
    if (handle_) pcmMixRestart(handle_);
    outputStarted_ = true;
    paused = false;
    playing = true;
    Notify(kAudioNotifyResumed);
    if (event_) osmSignalEvent(event_);
    return kErrNone;
}

EngineErr WaveSound::BreakLoop() {
    if (!looping || loopBroken) return kErrNone;
    if (handle_) pcmMixBreakLoop(handle_);
    // Passes queued as buffers of their own (every pass of a section longer than a buffer,
    // and the mixer-repeated buffer while the first pass is still playing) would all be heard:
    // those the device holds nothing of yet are taken back, and the sound goes on from what
    // it holds, straight on to the loop end and the rest.
    if (handle_ && pcmMixDropUnwritten(handle_) == plat::kMmNoError) TakeBackDroppedBuffers();
    // Decoding goes on right after the last buffer kept, even where that buffer ended a pass
    // and the next frame to decode had gone back to the loop start.
    if (!segments_.empty()) writeFrame_ = segments_.back().firstFrame + segments_.back().frames;
    // A mixer-repeated section ends with the pass playing now.
    u64 played = PlayedNow();
    for (Segment& segment : segments_) {
        const u64 length = u64(segment.frames) * segment.plays;
        if (played < length) {
            segment.plays = played / segment.frames + 1;
            break;
        }
        played -= length;
    }
    loopBroken = true;
    endTime_ = plat::clockMillis() + RemainingMs();
    // Refilled at once: the device may soon reach the end of what was kept.
    return FillPass();
}

void WaveSound::ResetLoop() {
    looping = loopCount_ != 0 && loopEnd_ > loopStart_;
    passesDone_ = 0;
    loopFinished_ = false;
    loopBroken = false;
}

EngineErr WaveSound::SetPosition(u32 ms) {
    const u64 frame = ms == kAudioPositionEnd ? info_.frames : u64(ms) * info_.sampleRate / 1000;
    if (frame > info_.frames) {
        positionFrame_ = info_.frames;
        return kAudioErrAtEnd;
    }
    positionFrame_ = u32(frame);
    return kErrNone;
}

EngineErr WaveSound::SeekMarker(const char* name, u16 length) {
    for (const WaveCue& cue : info_.cues) {
        if (cue.name.size() >= length && std::memcmp(cue.name.data(), name, length) == 0) {
            positionFrame_ = std::min(cue.frame, info_.frames);
            return kErrNone;
        }
    }
    return kAudioErrNoMarker;
}

void WaveSound::SetLoop(u16 count, u32 startMs, u32 endMs) {
    loopCount_ = count;
    loopStart_ = std::min(FramesFromMs(startMs), info_.frames);
    loopEnd_ = endMs >= duration ? info_.frames : std::min(FramesFromMs(endMs), info_.frames);
    if (loopStart_ > loopEnd_) loopStart_ = loopEnd_;
}

bool WaveSound::LoopRunning() const {
    // A section whose end is its start holds nothing to repeat: it plays as no loop.
    return loopCount_ != 0 && !loopFinished_ && !loopBroken && loopEnd_ > loopStart_;
}
