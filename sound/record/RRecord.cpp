#include "sound/record/RRecord.h"

#include <algorithm>
#include <array>

namespace Ostrel {
namespace {

struct Fallback {
    u16 bits;
    u32 rate;
};

// Tried in turn when the format asked for does not open.
constexpr std::array<Fallback, 6> kFallbacks = {{{16, 11025}, {16, 22050}, {8, 22050}, {8, 44100}, {8, 11025}, {16, 44100}}};

}  // namespace

u16 PeakLevel(std::span<const u8> bytes, u16 bits) {
    u32 peak = 0;
    if (bits == 16) {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const i32 sample = i16(u16(bytes[i] | (bytes[i + 1] << 8)));
            peak = std::max<u32>(peak, u32(sample < 0 ? -sample : sample));
        }
        return u16(std::min<u32>(peak >> 7, kRecordLevelTop));
    }
    for (const u8 byte : bytes) peak = std::max<u32>(peak, u32(byte >= 0x80 ? byte - 0x80 : 0x80 - byte));
    return u16(std::min<u32>(peak * 2, kRecordLevelTop));
}

RRecord::~RRecord() {
    if (input_) Stop();
    FreeBuffers();
}

u16 RRecord::Fail(std::string text) {
    failure_ = std::move(text);
    return kRecordFailed;
}

uint16_t RRecord::OpenInput() {
    auto callback = [this](plat::WaveIn&, u32 message, plat::WaveHeader* header) {
        if (message != plat::kWaveInData || !recording_) return;
        if (header != nullptr && header->data != nullptr)
            level_ = PeakLevel({header->data, std::min(header->bytesRecorded, header->bufferLength)}, format_.bitsPerSample);
        if (buffersLeft_ > 0 && --buffersLeft_ == 0) {
            recording_ = false;
            finished_ = true;
        }
    };
    return plat::WaveIn::open(input_, plat::kWaveMapper, format_, callback);
}

u16 RRecord::Init(u32 seconds, u32* rate, u16* bits, u16 channels) {
    format_ = plat::makePcmFormat(*rate, channels, *bits);
    uint16_t err = OpenInput();
    for (size_t i = 0; err != plat::kMmNoError && i < kFallbacks.size(); ++i) {
        format_ = plat::makePcmFormat(kFallbacks[i].rate, channels, kFallbacks[i].bits);
        err = OpenInput();
    }
    if (err == plat::kWaveErrBadFormat) return Fail("Bad wave format in opening recording device in RecordObject::Init()");
    if (err != plat::kMmNoError)
        return Fail(" Error #" + std::to_string(err) + " in opening recording device in RecordObject::Init().");
    *rate = format_.samplesPerSec;
    *bits = format_.bitsPerSample;
    factor_ = channels;
    const u64 bytes = u64(*bits) * channels * *rate / 8 * seconds;
    takeBytes_ = u32(std::min<u64>(bytes + (bytes & 1), 0xFFFFFFFEull));
    return kErrNone;
}

u16 RRecord::OpenRecordPrepare() {
    if (!input_ && OpenInput() != plat::kMmNoError) return Fail("waveInOpen FAILED in OpenRecordPrepare()");
    return kErrNone;
}

u16 RRecord::GetBuffer() {
    const u32 size = factor_ * kRecordBufferUnit;
    const u32 full = takeBytes_ / size;
    const u32 rest = takeBytes_ % size;
    buffersLeft_ = 0;
    for (u32 i = 0; i < full + (rest ? 1 : 0); ++i) {
        if (GetBuffer(i < full ? size : rest) != kErrNone) {
            Unprepare();
            FreeBuffers();
            buffersLeft_ = 0;
            return kRecordFailed;
        }
    }
    buffersLeft_ = u32(buffers_.size());
    return kErrNone;
}

u16 RRecord::GetBuffer(u32 size) {
    auto buffer = std::make_unique<Buffer>();
    buffer->data.assign(size, 0);
    buffer->header.data = buffer->data.data();
    buffer->header.bufferLength = size;
    if (Prepare(&buffer->header) != kErrNone) return kRecordFailed;
    if (AddBuffer(&buffer->header) != kErrNone) {
        input_->unprepare(&buffer->header);
        return kRecordFailed;
    }
    buffers_.push_back(std::move(buffer));
    return kErrNone;
}

u16 RRecord::Prepare(plat::WaveHeader* header) {
    if (!input_ || input_->prepare(header) != plat::kMmNoError) return Fail("waveInPrepareHeader FAILED in Prepare()");
    return kErrNone;
}

u16 RRecord::AddBuffer(plat::WaveHeader* header) {
    if (!input_ || input_->addBuffer(header) != plat::kMmNoError) return Fail("waveInAddBuffer FAILED in AddBuffer()");
    return kErrNone;
}

u16 RRecord::StartRecord() {
    if (!input_) return Fail("NULL == mWaveIn in Start()");
    finished_ = false;
    recording_ = true;
    if (input_->start() != plat::kMmNoError) {
        recording_ = false;
        return Fail("waveInStart FAILED in StartRecord()");
    }
    return kErrNone;
}

u16 RRecord::Stop() {
    recording_ = false;
    if (!input_) return kErrNone;
    if (input_->reset() != plat::kMmNoError) return Fail("waveInReset FAILED in Stop()");
    const u16 unprepared = Unprepare();
    const u16 closed = Close();
    return unprepared != kErrNone ? unprepared : closed;
}

u16 RRecord::Close() {
    if (!input_) return kErrNone;
    if (input_->close() != plat::kMmNoError) return Fail("waveInClose FAILED in Close()");
    input_.reset();
    return kErrNone;
}

u16 RRecord::Unprepare() {
    if (!input_) return kErrNone;
    for (const auto& buffer : buffers_)
        if ((buffer->header.flags & plat::kWaveHeaderPrepared) && input_->unprepare(&buffer->header) != plat::kMmNoError)
            return Fail("waveInUnPrepareHeader FAILED in Unprepare()");
    return kErrNone;
}

const std::vector<u8>& RRecord::TakeRecording() {
    Stop();
    take_.clear();
    for (const auto& buffer : buffers_)
        take_.insert(take_.end(), buffer->data.begin(), buffer->data.begin() + buffer->header.bytesRecorded);
    FreeBuffers();
    if (take_.size() & 1) take_.push_back(0);
    return take_;
}

void RRecord::FreeBuffers() {
    buffers_.clear();
    buffersLeft_ = 0;
}

}  // namespace Ostrel
