#pragma once
// swf::sound, one playing instance of a DefineSound started by a StartSound tag: a window of
// the sound's samples (its in and out points) offered as an i_wavedata source to a player
// the host makes. Its life is not counted: it lives from its StartSound until a SyncStop
// StartSound, StopSounds, the player's end, or its own Destroy when the host has played it.
#include "media/swf/Interfaces.h"
#include "media/swf/SoundTags.h"

namespace swf {

class document;
class player;

class sound : public i_wavedata {
public:
    // Joins the player's sound list (newest last); the source is the character of that id in
    // the document or its enclosing ones (none: the sound has no source).
    sound(player& root, const document& owner, u16 frame, const SoundInfo& info);
    sound(const sound&) = delete;
    sound& operator=(const sound&) = delete;
    virtual ~sound();

    // Starts the host's player at the point the movie has reached since the sound's frame.
    // finished: the sound has already played out (or lasts nothing) and was not started.
    Result Start(u16 currentFrame, bool& finished);

    u32 AddRef() override { return ++references_; }
    Result QueryInterface(const std::type_info& id, void** out) override;
    u32 Release() override { return references_ ? --references_ : 0; }
    void Destroy() override { delete this; }
    // The window's length replaces the sample count.
    Result GetFormat(u16& channels, u16& bitsPerSample, u32& sampleRate, u32& sampleCount) override;
    // Positions past the window give silence.
    Result ReadSamples(u32 position, u32 count, void* samples) override;

    u16 SoundId() const { return info_.soundId; }
    u32 InPoint() const { return inPoint_; }
    u32 OutPoint() const { return outPoint_; }
    i_waveplay* WavePlay() const { return wavePlay_; }

private:
    void ForgetWavePlay();

    u32 references_ = 0;
    player& player_;
    const document& owner_;
    u16 frame_;
    SoundInfo info_;
    i_wavedata* source_ = nullptr;
    i_waveplay* wavePlay_ = nullptr;
    u16 channels_ = 1;
    u16 bits_ = 8;
    u32 sampleRate_ = 0;
    u32 inPoint_ = 0;
    u32 outPoint_ = 0;
};

}  // namespace swf
