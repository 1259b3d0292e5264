#pragma once
// The microphone machinery that every voice input shares: 16-bit mono input at 22050 Hz into
// three rotating 8192-byte buffers, and one engine thread that turns each filled buffer into
// eight overlapping 1024-point spectra (512 new samples each) and queues the buffer again.
// The input callback only signals the worker's event; the worker takes every buffer that is
// done, in order, whenever it runs, so buffers keep circulating however late it wakes. The
// machinery lives as long as its last owner (VoiceCapture::Acquire hands out shares) and is
// freed once, by that owner. Start, Stop and GetSpectrum belong to the user-interface thread.
#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "platform/audio/capture/input/WaveIn.h"
#include "sound/record/SpectrumAnalyser.h"

struct osmEvent;
struct osmMutex;
struct osmThread;

namespace Ostrel {

constexpr u32 kVoiceRate = 22050;
constexpr u32 kVoiceBuffers = 3;
constexpr u32 kVoiceBufferBytes = 8192;
constexpr u32 kVoicePoints = 1024;
constexpr u32 kVoiceFeed = 512;

class VoiceCapture {
public:
    // The shared machinery, made when no owner holds it; null when the engine cannot give it
    // an event, a mutex or a thread.
    static std::shared_ptr<VoiceCapture> Acquire();
    ~VoiceCapture();
    VoiceCapture(const VoiceCapture&) = delete;
    VoiceCapture& operator=(const VoiceCapture&) = delete;

    // 0, or -1 when the input cannot be opened, prepared, queued or started.
    i32 Start();
    void Stop();
    bool Started() const { return input_ != nullptr; }
    u16 GetSpectrum(u16* out, u32 capacity, u16* peak, u16* peakIndex);
    // Buffers analysed since the machinery was made.
    u32 AnalysedBuffers() const { return analysed_.load(); }
    // Buffers waiting in the input for samples.
    u32 QueuedBuffers() const;

private:
    VoiceCapture();
    static void WorkerEntry(void* self);
    void Work();
    void Analyse(plat::WaveHeader& header);

    std::unique_ptr<plat::WaveIn> input_;
    std::array<plat::WaveHeader, kVoiceBuffers> headers_{};
    std::vector<u8> samples_;
    std::vector<i16> copy_;
    u32 next_ = 0;
    std::atomic<bool> stopping_{false};
    bool quit_ = false;
    osmEvent* event_ = nullptr;
    osmMutex* mutex_ = nullptr;
    osmThread* worker_ = nullptr;
    SpectrumAnalyser analyser_{kVoicePoints, kVoiceRate};
    std::atomic<u32> analysed_{0};
};

}  // namespace Ostrel
