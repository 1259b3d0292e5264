#pragma once
// A looping ring of output bytes that the backend plays from its play cursor while the client
// writes ahead of the write cursor through lock/unlock, the second output kind of the mixer.
// Cursors are byte offsets in the ring. The backend reads the ring on its own thread; the
// client may write only the part between the write cursor and the play cursor one ring later.
// As the write cursor is the play cursor, the backend waits while a region is locked rather
// than play bytes the client is writing. The sink runs only while the ring plays: a stopped
// ring costs the machine nothing, and play starts the sink again from the play cursor.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/AudioBackend.h"
#include "platform/audio/WaveTypes.h"

namespace plat {

struct PushBufferRegions {
    uint8_t* first = nullptr;
    uint32_t firstBytes = 0;
    uint8_t* second = nullptr;
    uint32_t secondBytes = 0;
};

uint32_t pushBufferDriverCount();
std::string pushBufferDriverName(uint32_t driver);
// The driver is emulated in software (it needs a longer ring).
bool pushBufferDriverEmulated(uint32_t driver);

class PushBuffer {
public:
    static uint16_t create(std::unique_ptr<PushBuffer>& out, uint32_t driver, const WaveFormat& format,
                           uint32_t bytes);
    ~PushBuffer();
    PushBuffer(const PushBuffer&) = delete;
    PushBuffer& operator=(const PushBuffer&) = delete;

    uint16_t lock(uint32_t offset, uint32_t bytes, PushBufferRegions* regions);
    uint16_t unlock();
    void play();
    void stop();
    void setCurrentPosition(uint32_t offset);
    void getCurrentPosition(uint32_t* play, uint32_t* write);
    uint32_t size() const { return uint32_t(ring_.size()); }

private:
    explicit PushBuffer(const WaveFormat& format, uint32_t bytes);
    void pull(uint8_t* out, uint32_t frames);

    WaveFormat format_;
    std::vector<uint8_t> ring_;
    std::unique_ptr<AudioSink> sink_;
    std::mutex mutex_;
    std::condition_variable unlocked_;
    uint32_t playCursor_ = 0;
    bool playing_ = false;
    bool locked_ = false;
};

}  // namespace plat
