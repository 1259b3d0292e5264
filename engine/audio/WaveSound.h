#pragma once
// A wave sound: an archive wave played through one mixer handle. Its feeding thread (an
// engine thread) decodes the samples buffer by buffer through the wave's decompressor and
// keeps about three seconds queued; the mixer's callback only wakes it. Loop sections that
// fit one buffer are repeated by the mixer; longer ones are decoded again for each pass.
// Cues are notified as the buffer that ends at them finishes; the sound finishes when its
// last buffer is done and its expected end time has come.
#include <deque>
#include <memory>
#include <vector>

#include "engine/audio/AudioObject.h"
#include "engine/audio/PcmMix.h"
#include "engine/audio/WaveXDec.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/base/MemoryHandles.h"
#include "engine/resources/ResourceManager.h"

struct osmEvent;
struct osmMutex;
struct osmThread;

class WaveSound final : public AudioObject, public WaveXDecHost {
public:
    // From a locked memory image (kept locked until destruction) or from a resource.
    static EngineErr Create(memHandle image, WaveSound** out);
    static EngineErr Create(ResourceRef resource, u32 preloadMs, WaveSound** out);
    ~WaveSound() override;

    EngineErr DeviceOpen() override;
    EngineErr DeviceSetRate(Fixed rate) override;
    EngineErr DeviceSetVolume(Fixed volume) override;
    EngineErr DeviceStart(bool paused) override;
    void DeviceStop() override;
    void DeviceClose() override;
    uintptr_t GetDeviceHandle() override { return reinterpret_cast<uintptr_t>(handle_); }
    u32 GetPosition() override;
    u32 GetSampleRate() override { return info_.sampleRate; }
    EngineErr Pause() override;
    EngineErr Resume() override;
    EngineErr BreakLoop() override;
    void ResetLoop() override;
    EngineErr SetPosition(u32 ms) override;
    EngineErr SeekMarker(const char* name, u16 length) override;
    void SetLoop(u16 count, u32 startMs, u32 endMs) override;
    EngineErr Lock(u32 limitMs) override;
    void Unlock() override;
    bool AtEnd() override { return positionFrame_ >= info_.frames; }

    WaveSampleSource& Samples() override { return *source_; }
    std::unique_ptr<std::vector<u8>> ClaimChunk(FourCC tag) override;

private:
    struct Buffer {
        plat::WaveHeader header;
        std::vector<u8> data;
        u32 firstFrame = 0;
        u32 frames = 0;
        int cue = -1;  // the cue its end reaches
    };
    // What the mixer plays for each buffer written, in the handle's played frames.
    struct Segment {
        u32 firstFrame = 0;
        u32 frames = 0;
        u64 plays = 1;
    };
    static constexpr u64 kEndlessPlays = 0xFFFFFFFF;

    WaveSound();
    EngineErr Setup(memHandle image, ResourceRef resource, u32 preloadMs);
    static void Feed(void* self);
    static void MixerCallback(PcmMixHandle handle, u32 message, uintptr_t instance, uintptr_t param1, uintptr_t param2);

    EngineErr FillPass();
    void TakeDoneBuffers();
    void TakeBackDroppedBuffers();
    EngineErr WriteBuffer();
    void ReturnAllBuffers();
    bool LoopRunning() const;
    u32 FrameFromPlayed(u64 played) const;
    u64 PlayedNow();
    u32 RemainingMs() const;
    u32 FramesFromMs(u32 ms) const;
    u32 MsFromFrames(u32 frames) const { return waveDurationMs(frames, info_.sampleRate); }
    u32 WaitLimit() const;
    void StopFeedingThread();

    // Source.
    memHandle image_ = 0;
    std::unique_ptr<WaveSampleSource> source_;
    ArchiveWaveInfo info_;
    bool streamed_ = false;

    // Decoding.
    std::unique_ptr<WaveXDec> decoder_;
    std::vector<u8> state_;
    bool nativeOrder_ = false;
    plat::WaveFormat format_;

    // Output.
    PcmMixHandle handle_ = nullptr;
    u32 balance_ = 0x80008000;
    bool balanceKept_ = false;
    osmMutex* mutex_ = nullptr;
    osmEvent* event_ = nullptr;
    osmThread* thread_ = nullptr;
    bool quit_ = false;
    std::deque<Buffer*> queue_;
    std::vector<std::unique_ptr<Buffer>> buffers_;
    std::vector<Buffer*> free_;
    std::vector<Segment> segments_;
    u32 framesPerBuffer_ = 0;
    u32 queueLimit_ = 0;
    bool outputStarted_ = false;
    u32 endTime_ = 0;

    // Position and loops.
    u32 positionFrame_ = 0;  // where playing starts or stopped
    u32 writeFrame_ = 0;     // the next frame to decode
    u32 startFrame_ = 0;
    u16 loopCount_ = 0;
    u32 loopStart_ = 0;
    u32 loopEnd_ = 0;
    u16 passesDone_ = 0;
    bool loopFinished_ = false;
    u32 preloadLimit_ = 0;
};
