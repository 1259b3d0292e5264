#pragma once
// Helpers for mixer tests: a mixer started on the virtual audio backend with its device loop
// driven by hand, and clients that log every callback they get.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/audio/PcmMix.h"
#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"

namespace mixertest {

inline PcmMixSettings testSettings(u16 sampleSize = 8, bool stereo = false) {
    PcmMixSettings settings;
    settings.runDeviceThreads = false;
    settings.pushBufferEnable = false;
    settings.sampleSize = sampleSize;
    settings.stereo = stereo;
    settings.deviceInfo = {{"default", "8, 512, 1024"}};
    return settings;
}

// The frame at which channels started by Restart right after their first write begin:
// the first top-up hands over the lead, rounded up to whole buffers.
constexpr u32 kFirstRestartFrame = 1024;

class Client {
public:
    explicit Client(std::string name) : name_(std::move(name)) {}
    ~Client() {
        if (!handle) return;
        pcmMixReset(handle);
        for (auto& buffer : buffers_) pcmMixUnprepareHeader(handle, &buffer->header, kPcmMixHeaderSize);
        pcmMixClose(handle);
    }

    u16 open(const plat::WaveFormat& format, u32 flags = 0) {
        return pcmMixOpen(&handle, plat::kWaveMapper, &format, &Client::callback, reinterpret_cast<uintptr_t>(this),
                          kPcmMixCallbackFunction | flags);
    }

    // Prepares a buffer (kept by the client) and writes it.
    plat::WaveHeader* write(std::vector<u8> bytes, u32 flags = 0, u32 loops = 0, const std::string& tag = "") {
        plat::WaveHeader* header = prepare(std::move(bytes), flags, loops, tag);
        EXPECT_EQ(pcmMixWrite(handle, header, kPcmMixHeaderSize), plat::kMmNoError);
        return header;
    }

    plat::WaveHeader* prepare(std::vector<u8> bytes, u32 flags = 0, u32 loops = 0, const std::string& tag = "") {
        auto& buffer = buffers_.emplace_back(std::make_unique<Buffer>());
        buffer->bytes = std::move(bytes);
        buffer->tag = tag.empty() ? std::to_string(buffers_.size() - 1) : tag;
        buffer->header.data = buffer->bytes.data();
        buffer->header.bufferLength = u32(buffer->bytes.size());
        buffer->header.loops = loops;
        EXPECT_EQ(pcmMixPrepareHeader(handle, &buffer->header, kPcmMixHeaderSize), plat::kMmNoError);
        buffer->header.flags.fetch_or(flags);
        buffer->header.user = buffers_.size() - 1;
        return &buffer->header;
    }

    bool allDone() const {
        for (const auto& buffer : buffers_)
            if (!(buffer->header.flags.load() & plat::kWaveHeaderDone)) return false;
        return true;
    }

    PcmMixHandle handle = nullptr;
    std::vector<std::string> events;

private:
    static void callback(PcmMixHandle, u32 message, uintptr_t instance, uintptr_t param1, uintptr_t) {
        auto* self = reinterpret_cast<Client*>(instance);
        auto* header = reinterpret_cast<plat::WaveHeader*>(param1);
        std::string event = message == plat::kWaveOutDone ? "done" : message == kPcmMixLoopPassed ? "loop"
                            : message == plat::kWaveOutOpened ? "open" : "close";
        if (header) event += ":" + self->buffers_[header->user]->tag;
        self->events.push_back(event);
    }

    struct Buffer {
        std::vector<u8> bytes;
        std::string tag;
        plat::WaveHeader header;
    };
    std::string name_;
    std::vector<std::unique_ptr<Buffer>> buffers_;
};

class MixerTest : public ::testing::Test {
protected:
    void TearDown() override { stop(); }

    void start(const PcmMixSettings& settings) {
        plat::setAudioBackend(&backend);
        ASSERT_EQ(pcmMixInit(settings), kErrNone);
        started_ = true;
    }

    void stop() {
        if (!started_) return;
        clients.clear();
        pcmMixShutdown();
        plat::setAudioBackend(nullptr);
        started_ = false;
    }

    Client& client(const std::string& name = "c") { return *clients.emplace_back(std::make_unique<Client>(name)); }

    // Lets the device play for `ms` milliseconds, polling it every 10 ms as its thread would.
    void play(u32 ms) {
        for (u32 t = 0; t < ms; t += 10) {
            clock.advance(10);
            pcmMixPollDevices();
        }
    }

    std::vector<u8> output() const { return backend.lastCapture()->bytes(); }

    plat::ScopedFakeClock clock;
    plat::VirtualAudioBackend backend;
    std::vector<std::unique_ptr<Client>> clients;

private:
    bool started_ = false;
};

}  // namespace mixertest
