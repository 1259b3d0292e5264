#pragma once
// Plays what a Speaker rendered through the mixer: the queued samples are pulled in chunks
// and written to one mixer channel opened for their format (mono 16-bit at the rendering's
// rate), so speech mixes with every other sound of the program. Stop, from any thread, takes
// back everything still queued in the mixer at once. isSpeaking may be asked from any
// thread; it holds until the mixer has played the last chunk.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/audio/PcmMix.h"
#include "platform/speech/Speaker.h"

class SpeechPlayback {
public:
    // Frames per chunk handed to the mixer: about a fifth of a second at 22050 Hz.
    static constexpr uint32_t kChunkFrames = 4096;

    explicit SpeechPlayback(plat::Speaker& speaker) : speaker_(speaker) {}
    ~SpeechPlayback();
    SpeechPlayback(const SpeechPlayback&) = delete;
    SpeechPlayback& operator=(const SpeechPlayback&) = delete;

    // Replaces what is playing by what the speaker has queued. A mixer error code when the
    // channel cannot be opened or written; the speaker's queue is dropped then, so the
    // speaking flag does not stay up for speech nobody hears. While the speaker is still
    // rendering (`rest` false) only whole chunks are taken, and playMore takes the chunks
    // queued since, behind them, the rest too once the rendering ended.
    u16 play(bool rest = true);
    u16 playMore(bool rest);
    void stop();
    bool isSpeaking() const;
    // The chunks the mixer still holds.
    uint32_t chunksInMixer() const { return inMixer_.load(); }

private:
    struct Chunk {
        std::vector<int16_t> samples;
        plat::WaveHeader header;
    };
    static void MixerCallback(PcmMixHandle handle, u32 message, uintptr_t instance, uintptr_t param1,
                              uintptr_t param2);
    u16 openFor(uint32_t sampleRate);
    // Writes what the speaker has queued: whole chunks, and the rest when asked.
    u16 writeQueued(bool rest);
    // After a failure: nobody hears the speaker's queue, so it goes with the chunks.
    void dropAll();
    void takeBackChunks();
    void close();

    plat::Speaker& speaker_;
    std::mutex mutex_;
    PcmMixHandle handle_ = nullptr;
    uint32_t handleRate_ = 0;
    std::vector<std::unique_ptr<Chunk>> chunks_;
    std::atomic<uint32_t> inMixer_{0};
    std::atomic<uint32_t> replacements_{0};
    // Set when the mixer closes the channel itself (its shut-down): the handle is then void.
    std::atomic<bool> closedByMixer_{false};
};
