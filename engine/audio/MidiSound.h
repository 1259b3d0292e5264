#pragma once
// A MIDI sound: an archive MIDI file played through a MIDI map client. Its tracks are read
// event by event and stepped by engine timers, each step sending what became due and
// scheduling the next at the following event. Time is kept exactly: the position counts in
// 1/division microseconds, so tempo changes and rates never drift. Markers in the tracks
// set up the loop ("loop start", "loop end#n") and the setup part ("setup end"); cue
// points are notified as markers.
#include <span>
#include <string>
#include <vector>

#include "engine/audio/AudioObject.h"
#include "engine/audio/MidiMap.h"
#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/MidiEvents.h"
#include "engine/base/MemoryHandles.h"

struct TimerRecord;

class MidiSound final : public AudioObject {
public:
    static EngineErr Create(memHandle image, MidiSound** out);
    ~MidiSound() override;

    EngineErr DeviceOpen() override;
    EngineErr DeviceSetRate(Fixed rate) override;
    EngineErr DeviceSetVolume(Fixed volume) override;
    EngineErr DeviceStart(bool paused) override;
    void DeviceStop() override;
    void DeviceClose() override;
    uintptr_t GetDeviceHandle() override { return reinterpret_cast<uintptr_t>(map_); }
    u32 GetPosition() override { return PositionMs(); }
    u32 GetSampleRate() override;
    EngineErr Pause() override;
    EngineErr Resume() override;
    EngineErr BreakLoop() override;
    void ResetLoop() override;
    EngineErr SetPosition(u32 ms) override;
    EngineErr SeekMarker(const char* name, u16 length) override;
    void SetLoop(u16 count, u32 startMs, u32 endMs) override;
    EngineErr Lock(u32) override { return kErrNone; }
    void Unlock() override {}
    bool AtEnd() override { return endedTracks_ == tracks_.size(); }

    u32 LoopStartMs() const { return loopStart_; }
    u32 LoopEndMs() const { return loopEnd_; }
    u16 LoopCount() const { return loopCount_; }

private:
    struct Track {
        std::span<const u8> bytes;
        size_t pos = 0;
        u32 ticksLeft = 0;
        bool ended = false;
        u8 running = 0;
    };
    static constexpr u32 kDefaultTempo = 500000;
    static constexpr u32 kLongestStepMs = 0x7FFF;

    MidiSound();
    EngineErr Setup(memHandle image);
    void Rewind();
    // Caches (or, with kMidiUncache, lets go of) the programs and percussion keys the sound
    // names, on a device that caches patches; false when the device refused them.
    bool CachePatches(u16 flags);
    // Runs every event before `targetMs` (sending them when asked) and moves there; false
    // when the events ran out first. Stops early once a searched cue point is found.
    bool AdvanceTo(u64 targetUnits, bool sending);
    void RunDue(bool sending);
    void RunTrack(Track& track, bool sending);
    void Meta(const MidiEvent& event, bool sending);
    void EndTrack(Track& track);
    u32 PositionMs() const { return u32(std::min<u64>(positionUnits_ / UnitsPerMs(), 0xFFFFFFFF)); }
    u64 UnitsPerMs() const { return u64(info_.division) * 1000; }
    u64 UnitsFromMs(u64 ms) const { return ms * UnitsPerMs(); }
    // Sequencer units to the next event of any track; UINT64_MAX when every track ended.
    u64 UnitsToNextEvent() const;
    void Schedule();
    void CancelTimer();
    void Elapse(bool sending);
    static void Step(TimerRecord* timer, u32 id);
    void OnStep();

    memHandle image_ = 0;
    std::span<const u8> bytes_;
    ArchiveMidiInfo info_;
    std::vector<Track> tracks_;
    size_t endedTracks_ = 0;
    MidiMap map_ = nullptr;

    u32 tempo_ = kDefaultTempo;
    u64 positionUnits_ = 0;  // 1/division microseconds
    u64 tickUnits_ = 0;      // units gone since the last whole tick
    u32 setupEnd_ = 0;
    bool hasSetupEnd_ = false;
    bool setupSent_ = false;

    u16 loopCount_ = 0;
    bool loopSetByCaller_ = false;
    u16 passesLeft_ = 0;
    u32 loopStart_ = 0;
    u32 loopEnd_ = 0;

    std::string searchedName_;
    bool searching_ = false;
    bool found_ = false;

    u32 id_ = 0;
    // Counts stops, pauses and closes: a notification's callback may make one while events
    // are being run, after which nothing more of that run is sent or scheduled.
    u32 halts_ = 0;
    TimerRecord* timer_ = nullptr;
    u32 lastTime_ = 0;
    u64 rateCarry_ = 0;
};
