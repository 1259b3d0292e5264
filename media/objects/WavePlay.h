#pragma once
// The SWF engine's sound player: plays an i_wavedata source through an engine audio object
// made from a small in-memory wave whose samples are the source itself (encoding 666, decoded
// by WavePlayXDec). The end of play is seen in two steps: the audio completion callback, on
// the audio thread, sets an atomic flag; an interval task on the user-interface thread turns
// it into the source's Destroy. Otherwise user-interface thread only.
#include <atomic>
#include <memory>
#include <vector>

#include "engine/audio/WaveXDec.h"
#include "engine/base/MemoryHandles.h"
#include "media/swf/Interfaces.h"

class AudioObject;
struct osmIntervalTask;

constexpr u16 kWavePlayEncoding = 666;
// "KVRW", length, "WAVE", the "Data" chunk header, its 20 bytes of fields and the source
// pointer as the chunk's sample bytes.
constexpr u32 kWavePlayImageSize = 40 + sizeof(void*);

struct WavePlayFormat {
    u16 channels = 0;
    u16 bitsPerSample = 0;
    u32 sampleRate = 0;
    u32 frames = 0;
};

// The in-memory wave of a source: big-endian fields as the engine's wave reader reads them,
// the source pointer pointer-sized in the machine's order. `plays` is how many times the whole
// sound is heard (none counts as once); the wave's loop count is the repeats after the first.
void writeWavePlayImage(u8* image, const WavePlayFormat& format, u16 plays, swf::i_wavedata* source);

class WavePlay final : public swf::i_waveplay {
public:
    explicit WavePlay(swf::i_wavedata* source);
    u32 AddRef() override { return u32(++count_); }
    swf::Result QueryInterface(const std::type_info& id, void** out) override;
    u32 Release() override;
    swf::Result Play(u32 startMs, u16 plays) override;
    swf::Result Stop() override;

    memHandle image() const { return image_; }
    bool playing() const { return audio_ != nullptr; }

private:
    ~WavePlay();
    static void Finished(AudioObject* object, const struct AudioNotification* notification, uintptr_t datum);
    static void WatchEnd(osmIntervalTask* task, void* argument);

    i32 count_ = 0;
    swf::i_wavedata* source_;
    memHandle image_ = 0;
    AudioObject* audio_ = nullptr;
    osmIntervalTask* task_ = nullptr;
    std::atomic<bool> finished_{false};
};

// The decoder of encoding 666: reads the source pointer from the wave's sample bytes and asks
// the source for frames; a failed read is heard as silence.
class WavePlayXDec final : public WaveXDec {
public:
    using WaveXDec::WaveXDec;
    ~WavePlayXDec() override;
    EngineErr Preload(u32) override { return kErrNone; }
    EngineErr SetFormat(const plat::WaveFormat& format, u32 sampleBytes, u32* stateSize, bool* nativeOrder) override;
    EngineErr Decode(u8* output, u32 frames, u32 firstFrame, u8* state) override;
    static std::unique_ptr<WaveXDec> Create(WaveXDecHost& host);

private:
    swf::i_wavedata* source_ = nullptr;
};
