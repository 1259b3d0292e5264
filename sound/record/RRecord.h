#pragma once
// A take of fixed length from the microphone, for the audio option panel: opened in the
// format asked for or the first fall-back the hardware takes, with buffers for the whole take
// queued before recording starts (factor x 1024 bytes each, factor = channels, the last one
// holding the rest), and joined into one block at the end. Each failing operation keeps its
// alert text for the panel to show and returns 1. The input callback, on the capture
// thread, only counts the buffers filled, measures the loudest sample of each (the level the
// panel's meter shows) and marks the take finished.
#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "platform/audio/capture/input/WaveIn.h"

namespace Ostrel {

constexpr u16 kRecordFailed = 1;
constexpr u32 kRecordBufferUnit = 1024;
constexpr u16 kRecordLevelTop = 255;

// The loudest sample of recorded bytes (16-bit signed little-endian, or 8-bit unsigned),
// from 0 (silence) to kRecordLevelTop (full scale).
u16 PeakLevel(std::span<const u8> bytes, u16 bits);

class RRecord {
public:
    RRecord() = default;
    virtual ~RRecord();
    RRecord(const RRecord&) = delete;
    RRecord& operator=(const RRecord&) = delete;

    // Opens the input for `seconds`; `rate` and `bits` come back as the format settled on.
    u16 Init(u32 seconds, u32* rate, u16* bits, u16 channels);
    u16 OpenRecordPrepare();
    // Every buffer of the take, prepared and queued.
    u16 GetBuffer();
    u16 GetBuffer(u32 size);
    u16 Prepare(plat::WaveHeader* header);
    u16 AddBuffer(plat::WaveHeader* header);
    u16 StartRecord();
    // Resets the input, unprepares every buffer and closes the input.
    u16 Stop();
    u16 Close();
    u16 Unprepare();
    // Stops, then joins what every buffer recorded into the take (even in length) and frees
    // the buffers.
    const std::vector<u8>& TakeRecording();

    bool IsOpen() const { return input_ != nullptr; }
    bool IsRecording() const { return recording_.load(); }
    bool IsFinished() const { return finished_.load(); }
    u32 BuffersLeft() const { return buffersLeft_.load(); }
    // The peak level of the buffer filled last.
    u16 Level() const { return level_.load(); }
    size_t BufferCount() const { return buffers_.size(); }
    u32 BufferSize(size_t index) const { return buffers_[index]->header.bufferLength; }
    u32 TakeBytes() const { return takeBytes_; }
    const std::string& FailureText() const { return failure_; }

private:
    struct Buffer {
        plat::WaveHeader header;
        std::vector<u8> data;
    };

    u16 Fail(std::string text);
    uint16_t OpenInput();
    void FreeBuffers();

    std::unique_ptr<plat::WaveIn> input_;
    plat::WaveFormat format_;
    std::vector<std::unique_ptr<Buffer>> buffers_;
    u32 factor_ = 1;
    u32 takeBytes_ = 0;
    std::vector<u8> take_;
    std::string failure_;
    std::atomic<bool> recording_{false};
    std::atomic<bool> finished_{false};
    std::atomic<u32> buffersLeft_{0};
    std::atomic<u16> level_{0};
};

}  // namespace Ostrel
