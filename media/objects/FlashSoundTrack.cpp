#include "media/objects/FlashSoundTrack.h"

#include "media/swf/Movie.h"
#include "media/swf/Player.h"

FlashSoundTrack::FlashSoundTrack() = default;

FlashSoundTrack::~FlashSoundTrack() { Stop(); }

bool FlashSoundTrack::Open(std::span<const u8> bytes) {
    Stop();
    open_ = !bytes.empty() && bytes.size() <= 0xFFFFFFFFu &&
            swf::LoadMovieFromMemory(movie_, bytes.data(), u32(bytes.size())) == swf::kOk;
    return open_;
}

void FlashSoundTrack::Start() {
    Stop();
    if (!open_) return;
    player_ = std::make_unique<swf::player>(movie_, nullptr);
    // A movie whose frames cannot be played is heard no further.
    if (player_->AdvanceFrame() != swf::kOk) Stop();
}

void FlashSoundTrack::Advance(u32 frames) {
    for (u32 i = 0; i < frames && player_; ++i)
        if (player_->AdvanceFrame() != swf::kOk) Stop();
}

void FlashSoundTrack::Stop() {
    // The player's sounds stop and go with it.
    player_.reset();
}

size_t FlashSoundTrack::Sounding() const { return player_ ? player_->Sounds().size() : 0; }
