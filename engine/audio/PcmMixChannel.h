#pragma once
// A mixing handle: the client's queue of buffers timed on its stream's output, the gains,
// step and passes it is rendered with, and its playing and paused state. Everything that
// touches the queue, the gains or the step runs under the stream's device lock; Render and
// Advance are called by the stream with that lock held.
#include <vector>

#include "engine/audio/PcmMixObject.h"
#include "engine/audio/PcmMixPasses.h"
#include "engine/audio/PcmMixQueue.h"

struct PcmMixStream;

class PcmMixChannel : public PcmMixObject {
public:
    explicit PcmMixChannel(PcmMixStream& stream) : stream_(stream) {}
    // Headers still prepared on the channel lose their records and their prepared flag.
    ~PcmMixChannel() override;
    // Before the channel is destroyed: a channel with buffers still queued returns them and closes.
    void Retire();

    u16 Open(const plat::WaveFormat& format, PcmMixCallback callback, uintptr_t instance, u32 flags) override;
    u16 BreakLoop() override;
    u16 Close() override;
    u16 DropUnwritten() override;
    u16 GetBalance(u32* balance) override;
    u16 GetID(u16* deviceId) override;
    u16 GetPitch(u32* pitch) override;
    u16 GetPlaybackRate(u32* rate) override;
    u16 GetPosition(plat::TimeRecord* time, u32 size) override;
    u16 GetVolume(u32* volume) override;
    u16 Pause() override;
    u16 PrepareHeader(plat::WaveHeader* header, u32 size) override;
    u16 Reset() override;
    u16 Restart() override;
    u16 SetBalance(u32 balance) override;
    u16 SetPitch(u32 pitch) override;
    u16 SetPlaybackRate(u32 rate) override;
    u16 SetVolume(u32 volume) override;
    u16 UnprepareHeader(plat::WaveHeader* header, u32 size) override;
    u16 Write(plat::WaveHeader* header, u32 size) override;

    // Renders into `frames` output frames at `destination` from output position p; `first`
    // says that no channel has written the region yet (copy, and fill silence in gaps).
    // True when the channel wrote.
    bool Render(u32 p, u8* destination, u32 frames, bool first);
    // Returns the records that the played position p has passed and moves the position on.
    void Advance(u32 p);
    // Moves every record in time so that the head starts at p; the channel then plays.
    void StartQueueAt(u32 p);

    PcmMixStream& Stream() const { return stream_; }
    bool HasQueue() const { return head_ != nullptr; }
    bool IsPaused() const { return paused_; }
    bool IsPlaying() const { return playing_; }

    PcmMixChannel* next = nullptr;
    PcmMixChannel* prev = nullptr;

private:
    u16 SetupLoop(PcmMixRecord* record);
    void TimeRecord(PcmMixRecord* record, u32 written);
    void ShiftQueue(u32 delta);
    void Retime(u32 written);
    // The record that holds p and the start of its present piece; nullptr when none does.
    PcmMixRecord* FindRecordAt(u32 p, u32* pieceStart) const;
    PcmMixRecord* LoopFirstRecord(PcmMixRecord* record) const;
    u32 LoopCountFor(const PcmMixRecord* first, u32 loopOutputFrames) const;
    void Finish(PcmMixRecord* record);
    void PassLoop(PcmMixRecord* record);
    void ApplyGains();
    // Remixes from the written position, or leaves the remix to the next refill.
    void RemixFromWritten();
    u32 SourceOffset(u32 outputOffset) const;
    bool ValidHeader(const plat::WaveHeader* header, u32 size) const;
    // A header of this channel that is prepared and not queued: 0, else the code for what it is.
    u16 CheckIdleHeader(const plat::WaveHeader* header, u32 size) const;

    PcmMixStream& stream_;
    std::vector<PcmMixRecord*> prepared_;
    PcmMixRecord* head_ = nullptr;
    // The closed message has gone out; a channel says it once.
    bool closed_ = false;
    PcmMixRecord* tail_ = nullptr;
    u32 finishedFrames_ = 0;
    u32 position_ = 0;
    u32 balance_ = 0;
    Fixed volume_ = 0;
    Fixed step_ = 0;
    Fixed rate_ = 0;
    bool playing_ = false;
    bool paused_ = false;
    u32 handedBeforePause_ = 0;
    // Counts resets and broken loops, so that a walk of the queue sees one made by a callback.
    u32 queueEdits_ = 0;
    bool nativeOrder_ = false;
    PcmMixPassSet passes_;
};
