#pragma once
// The records and numbers of the wave-out interface, shared by the platform devices and by the
// engine's mixer that offers the same interface to its clients. The numbers are the ones the
// program stores and compares (result codes, header flags, callback messages).
#include <atomic>
#include <cstdint>

namespace plat {

// Result codes of wave-out operations.
constexpr uint16_t kMmNoError = 0;
constexpr uint16_t kMmErrError = 1;
constexpr uint16_t kMmErrBadDeviceId = 2;
constexpr uint16_t kMmErrAllocated = 4;
constexpr uint16_t kMmErrInvalidHandle = 5;
constexpr uint16_t kMmErrNoDriver = 6;
constexpr uint16_t kMmErrNoMemory = 7;
constexpr uint16_t kMmErrNotSupported = 8;
constexpr uint16_t kMmErrInvalidParam = 11;
constexpr uint16_t kWaveErrBadFormat = 32;
constexpr uint16_t kWaveErrStillPlaying = 33;
constexpr uint16_t kWaveErrUnprepared = 34;

// Header flags.
constexpr uint32_t kWaveHeaderDone = 0x01;
constexpr uint32_t kWaveHeaderPrepared = 0x02;
constexpr uint32_t kWaveHeaderBeginLoop = 0x04;
constexpr uint32_t kWaveHeaderEndLoop = 0x08;
constexpr uint32_t kWaveHeaderInQueue = 0x10;

// Callback messages.
constexpr uint32_t kWaveOutOpened = 955;
constexpr uint32_t kWaveOutClosed = 956;
constexpr uint32_t kWaveOutDone = 957;

constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint16_t kWaveMapper = 0xFFFF;

struct WaveFormat {
    uint16_t formatTag = kWaveFormatPcm;
    uint16_t channels = 1;
    uint32_t samplesPerSec = 22050;
    uint32_t avgBytesPerSec = 22050;
    uint16_t blockAlign = 1;
    uint16_t bitsPerSample = 8;
};

WaveFormat makePcmFormat(uint32_t rate, uint16_t channels, uint16_t bits);
// PCM with a rate, 1 or 2 channels of 8 or 16 bits, and the block align they make.
bool isPlayablePcm(const WaveFormat& format);

// One buffer handed to a wave-out device. The device sets and clears the flags from its own
// thread, hence the atomic word; the other fields belong to whoever prepared the header.
// `link` and `reserved` are the owner's words (the mixer keeps its queue record and its tag there).
struct WaveHeader {
    uint8_t* data = nullptr;
    uint32_t bufferLength = 0;
    uint32_t bytesRecorded = 0;
    uintptr_t user = 0;
    std::atomic<uint32_t> flags{0};
    uint32_t loops = 0;
    void* link = nullptr;
    uintptr_t reserved = 0;
};

// Position kinds of a time record.
constexpr uint32_t kTimeMs = 1;
constexpr uint32_t kTimeSamples = 2;
constexpr uint32_t kTimeBytes = 4;

struct TimeRecord {
    uint32_t type = kTimeSamples;
    uint32_t value = 0;
};

}  // namespace plat
