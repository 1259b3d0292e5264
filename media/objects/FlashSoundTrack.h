#pragma once
// The sounds of one Flash object while it plays on the page. Its pictures are drawn ahead,
// silently (FlashQTMovie); its sounds come from the movie played a second time, drawn nowhere,
// frame for frame with the pictures shown, so that each sound starts with the frame that
// starts it, through the SWF host's players. User-interface thread only.
#include <memory>
#include <span>

#include "media/swf/Document.h"

namespace swf {
class player;
}

class FlashSoundTrack {
public:
    FlashSoundTrack();
    ~FlashSoundTrack();
    FlashSoundTrack(const FlashSoundTrack&) = delete;
    FlashSoundTrack& operator=(const FlashSoundTrack&) = delete;

    // Reads the movie; false for bytes that hold none (the track then stays quiet).
    bool Open(std::span<const u8> bytes);
    // From the first frame: what sounds stops, and the first frame's sounds start.
    void Start();
    // The frames after the one shown, each starting its sounds; nothing while stopped.
    void Advance(u32 frames);
    // Every sound stops; the next Start begins again from the first frame.
    void Stop();
    bool Started() const { return player_ != nullptr; }
    // The sounds heard now.
    size_t Sounding() const;

private:
    swf::document movie_;
    bool open_ = false;
    std::unique_ptr<swf::player> player_;
};
