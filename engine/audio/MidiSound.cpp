#include "engine/audio/MidiSound.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "engine/audio/Audio.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/timers/Timers.h"
#include "platform/clock/Clock.h"

namespace {

constexpr Fixed kSlowestRate = 0x100;
constexpr Fixed kFastestRate = 0x1000000;
constexpr std::string_view kSetupEnd = "setup end";
constexpr std::string_view kLoopStart = "loop start";
constexpr std::string_view kLoopEnd = "loop end";

// Timers carry a 32-bit value: sounds are found again by their number.
std::unordered_map<u32, MidiSound*>& soundsById() {
    static std::unordered_map<u32, MidiSound*> sounds;
    return sounds;
}

u32 nextId() {
    static u32 id = 0;
    return ++id;
}

bool startsWith(std::span<const u8> text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::memcmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// The count after "loop end": "#" and digits, "#" alone for 0, nothing for endless.
u16 loopCountOf(std::span<const u8> rest) {
    const auto hash = std::find(rest.begin(), rest.end(), u8('#'));
    if (hash == rest.end()) return kAudioLoopForever;
    u32 count = 0;
    for (auto it = hash + 1; it != rest.end() && *it >= '0' && *it <= '9'; ++it) {
        count = std::min<u32>(count * 10 + u32(*it - '0'), kAudioLoopForever - 1);
    }
    return u16(count);
}

EngineErr mapError(u16 result) {
    switch (result) {
    case plat::kMmNoError: return kErrNone;
    case plat::kMmErrAllocated: return kAudioErrAllocated;
    case plat::kMmErrBadDeviceId: return kAudioErrBadDevice;
    default: return kAudioErrDevice;
    }
}

}  // namespace

MidiSound::MidiSound() : AudioObject(kAudioKindMidi), id_(nextId()) { soundsById()[id_] = this; }

MidiSound::~MidiSound() {
    CancelTimer();
    if (map_) DeviceClose();
    soundsById().erase(id_);
    if (image_) memUnlockHandle(image_);
}

EngineErr MidiSound::Create(memHandle image, MidiSound** out) {
    auto sound = std::unique_ptr<MidiSound>(new MidiSound);
    if (EngineErr err = sound->Setup(image)) return err;
    *out = sound.release();
    return kErrNone;
}

EngineErr MidiSound::Setup(memHandle image) {
    const u8* data = static_cast<const u8*>(memLockHandle(image));
    if (!data) return kAudioErrOutOfMemory;
    image_ = image;
    bytes_ = std::span<const u8>(data, u32(std::max(memGetHandleSize(image), i32(0))));
    if (EngineErr err = readArchiveMidi(bytes_, &info_)) return err;
    for (const MidiTrackSpan& span : info_.tracks) tracks_.push_back({bytes_.subspan(span.offset, span.length)});
    SetPosition(0);
    SetPosition(kAudioPositionEnd);
    SetPosition(0);
    ResetLoop();
    return kErrNone;
}

void MidiSound::Rewind() {
    tempo_ = kDefaultTempo;
    positionUnits_ = 0;
    tickUnits_ = 0;
    endedTracks_ = 0;
    for (Track& track : tracks_) {
        track.pos = 0;
        track.ended = false;
        track.running = 0;
        if (!readMidiVarLen(track.bytes, &track.pos, &track.ticksLeft)) EndTrack(track);
    }
}

void MidiSound::EndTrack(Track& track) {
    if (track.ended) return;
    track.ended = true;
    ++endedTracks_;
    duration = std::max(duration, PositionMs());
}

u64 MidiSound::UnitsToNextEvent() const {
    u32 ticks = UINT32_MAX;
    bool any = false;
    for (const Track& track : tracks_) {
        if (track.ended) continue;
        any = true;
        ticks = std::min(ticks, track.ticksLeft);
    }
    if (!any) return UINT64_MAX;
    return u64(ticks) * tempo_ - tickUnits_;
}

bool MidiSound::AdvanceTo(u64 target, bool sending) {
    const u32 halts = halts_;
    while (positionUnits_ < target && halts_ == halts) {
        const u64 toNext = UnitsToNextEvent();
        if (toNext == UINT64_MAX) return false;
        const u64 step = std::min(toNext, target - positionUnits_);
        // Whole ticks passed; the events run only when the next one is reached before the target.
        tickUnits_ += step;
        const u32 ticks = u32(tickUnits_ / tempo_);
        tickUnits_ %= tempo_;
        for (Track& track : tracks_)
            if (!track.ended) track.ticksLeft -= std::min(track.ticksLeft, ticks);
        positionUnits_ += step;
        if (step == toNext && positionUnits_ < target) {
            RunDue(sending);
            if (searching_ && found_) return true;
        }
    }
    return true;
}

void MidiSound::RunDue(bool sending) {
    const u32 halts = halts_;
    for (Track& track : tracks_) {
        if (halts_ != halts) return;
        if (!track.ended && track.ticksLeft == 0) RunTrack(track, sending);
    }
}

void MidiSound::RunTrack(Track& track, bool sending) {
    const u32 halts = halts_;
    while (!track.ended && track.ticksLeft == 0 && halts_ == halts) {
        MidiEvent event;
        if (!readMidiEvent(track.bytes, &track.pos, &track.running, &event) || event.kind == MidiEventKind::End) {
            EndTrack(track);
            return;
        }
        switch (event.kind) {
        case MidiEventKind::Channel:
            if (sending && map_) midiMapShortMsg(map_, u32(event.status) | (u32(event.data1) << 8) | (u32(event.data2) << 16));
            break;
        case MidiEventKind::SysEx:
            if (sending && map_) {
                std::vector<u8> message = {0xF0};
                message.insert(message.end(), event.payload.begin(), event.payload.end());
                midiMapLongMsg(map_, message);
            }
            break;
        case MidiEventKind::Escape:
            if (sending && map_) midiMapLongMsg(map_, event.payload);
            break;
        case MidiEventKind::Meta:
            Meta(event, sending);
            if (event.metaType == kMidiMetaEndOfTrack) {
                EndTrack(track);
                return;
            }
            break;
        case MidiEventKind::End: break;
        }
        if (!readMidiVarLen(track.bytes, &track.pos, &track.ticksLeft)) EndTrack(track);
    }
}

void MidiSound::Meta(const MidiEvent& event, bool sending) {
    const std::span<const u8> text = event.payload;
    if (event.metaType == kMidiMetaMarker) {
        if (startsWith(text, kSetupEnd)) {
            setupEnd_ = PositionMs();
            hasSetupEnd_ = true;
        } else if (startsWith(text, kLoopStart) && !loopSetByCaller_) {
            loopStart_ = PositionMs();
        } else if (startsWith(text, kLoopEnd) && !loopSetByCaller_) {
            loopEnd_ = PositionMs();
            loopCount_ = loopCountOf(text.subspan(kLoopEnd.size()));
        }
    } else if (event.metaType == kMidiMetaCuePoint) {
        if (sending) Notify(kAudioNotifyMarker, reinterpret_cast<const char*>(text.data()), u32(text.size()));
        if (searching_ && text.size() >= searchedName_.size() &&
            std::memcmp(text.data(), searchedName_.data(), searchedName_.size()) == 0)
            found_ = true;
    } else if (event.metaType == kMidiMetaTempo && text.size() >= 3) {
        const u32 tempo = (u32(text[0]) << 16) | (u32(text[1]) << 8) | text[2];
        // A tempo of 0 would stop time; the last good one stays.
        if (tempo != 0) tempo_ = tempo;
    }
}

EngineErr MidiSound::SetPosition(u32 ms) {
    if (ms == kAudioPositionEnd) {
        if (positionUnits_ != 0 || endedTracks_ == tracks_.size()) Rewind();
        AdvanceTo(UINT64_MAX, false);
        return kErrNone;
    }
    const u64 target = UnitsFromMs(ms);
    if (ms == 0 || target < positionUnits_) Rewind();
    if (!AdvanceTo(target, false)) return kAudioErrAtEnd;
    return kErrNone;
}

EngineErr MidiSound::SeekMarker(const char* name, u16 length) {
    const u64 old = positionUnits_;
    searchedName_.assign(name, length);
    searching_ = true;
    found_ = false;
    Rewind();
    RunDue(false);
    if (!found_) AdvanceTo(UINT64_MAX, false);
    searching_ = false;
    if (found_) return kErrNone;
    Rewind();
    AdvanceTo(old, false);
    return kAudioErrNoMarker;
}

void MidiSound::SetLoop(u16 count, u32 startMs, u32 endMs) {
    loopCount_ = count;
    loopStart_ = startMs;
    loopEnd_ = endMs;
    loopSetByCaller_ = true;
}

void MidiSound::ResetLoop() {
    passesLeft_ = loopCount_;
    loopBroken = false;
    looping = loopCount_ != 0 && loopEnd_ > loopStart_;
}

EngineErr MidiSound::BreakLoop() {
    loopBroken = true;
    return kErrNone;
}

u32 MidiSound::GetSampleRate() { return u32(u64(info_.division) * 1000000 / tempo_); }

EngineErr MidiSound::DeviceOpen() {
    if (!audioMidiEnabled()) return kAudioErrBadDevice;
    if (const EngineErr err = mapError(midiMapOpen(&map_, deviceId, 0, 0, 0))) return err;
    if (CachePatches(kMidiCache)) return kErrNone;
    midiMapClose(map_);
    map_ = nullptr;
    return kAudioErrDevice;
}

bool MidiSound::CachePatches(u16 flags) {
    plat::MidiOutCaps caps;
    if (midiMapGetDevCaps(deviceId, &caps) != plat::kMmNoError || !(caps.support & plat::kMidiSupportCache)) return true;
    if (!info_.hasKeys && !info_.hasPrograms) return true;
    // A device that answers "not supported" plays without caching.
    const auto fine = [](u16 result) { return result == plat::kMmNoError || result == plat::kMmErrNotSupported; };
    u8 percussion = kMidiDefaultPercussion;
    midiMapGetPercussionChannel(deviceId, &percussion);
    MidiPatchMasks drums{};
    for (const MidiPatchUse& key : info_.keys) drums[key.number & 0x7F] |= u16(key.channelMask & (1u << percussion));
    MidiPatchMasks programs{};
    for (const MidiPatchUse& program : info_.programs) programs[program.number & 0x7F] |= program.channelMask;
    const MidiPatchMasks asked = drums;
    if (!fine(midiMapCacheDrumPatches(map_, 0, &drums, flags))) return false;
    if (fine(midiMapCachePatches(map_, 0, &programs, flags))) return true;
    // Drum keys without their programs are of no use: they go again.
    if (flags != kMidiUncache) {
        MidiPatchMasks release = asked;
        midiMapCacheDrumPatches(map_, 0, &release, kMidiUncache);
    }
    return false;
}

EngineErr MidiSound::DeviceSetRate(Fixed newRate) {
    return newRate >= kSlowestRate && newRate <= kFastestRate ? kErrNone : kAudioErrRate;
}

EngineErr MidiSound::DeviceSetVolume(Fixed newVolume) {
    return map_ && midiMapSetVolume(map_, newVolume) == plat::kMmNoError ? kErrNone : kAudioErrVolume;
}

void MidiSound::DeviceClose() {
    ++halts_;
    CancelTimer();
    if (!map_) return;
    midiMapReset(map_);
    CachePatches(kMidiUncache);
    midiMapClose(map_);
    map_ = nullptr;
}

EngineErr MidiSound::DeviceStart(bool startPaused) {
    CancelTimer();
    if (hasSetupEnd_ && !setupSent_ && UnitsFromMs(setupEnd_) < positionUnits_) {
        const u64 position = positionUnits_;
        Rewind();
        RunDue(true);
        AdvanceTo(UnitsFromMs(setupEnd_), true);
        setupSent_ = true;
        AdvanceTo(position, false);
    }
    if (!startPaused) {
        const u32 halts = halts_;
        RunDue(true);
        if (halts_ != halts) return kErrNone;
        lastTime_ = plat::clockMillis();
        rateCarry_ = 0;
        Schedule();
    }
    return kErrNone;
}

void MidiSound::DeviceStop() {
    Elapse(false);
    ++halts_;
    CancelTimer();
    if (map_) midiMapReset(map_);
}

EngineErr MidiSound::Pause() {
    Elapse(true);
    ++halts_;
    CancelTimer();
    if (map_) midiMapReset(map_);
    paused = true;
    playing = false;
    Notify(kAudioNotifyPaused);
    return kErrNone;
}

EngineErr MidiSound::Resume() {
    lastTime_ = plat::clockMillis();
    rateCarry_ = 0;
    paused = false;
    playing = true;
    Schedule();
    Notify(kAudioNotifyResumed);
    return kErrNone;
}

void MidiSound::CancelTimer() {
    if (!timer_) return;
    timerEnterLock();
    timerDelete(timer_);
    timerLeaveLock();
    timer_ = nullptr;
}

void MidiSound::Elapse(bool sending) {
    if (!timer_) return;
    const u32 now = plat::clockMillis();
    // Real milliseconds times the rate give sequencer time; the fraction is carried.
    const u64 scaled = u64(now - lastTime_) * u64(rate) + rateCarry_;
    lastTime_ = now;
    rateCarry_ = scaled & 0xFFFF;
    const u64 target = positionUnits_ + UnitsFromMs(scaled >> 16);
    const u32 halts = halts_;
    AdvanceTo(target, sending);
    if (sending && positionUnits_ == target && halts_ == halts) RunDue(true);
}

void MidiSound::Schedule() {
    const u64 units = UnitsToNextEvent();
    if (units == UINT64_MAX) return;
    // Round up to whole milliseconds, and never sleep past the longest step.
    u64 ms = std::min<u64>((units + UnitsPerMs() - 1) / UnitsPerMs(), kLongestStepMs);
    ms = (ms * kFixedOne + u64(rate) - 1) / u64(std::max<Fixed>(rate, 1));
    timer_ = timerCreate(u32(std::max<u64>(ms, 1)), 0, &MidiSound::Step, id_);
}

void MidiSound::Step(TimerRecord*, u32 id) {
    auto found = soundsById().find(id);
    if (found != soundsById().end()) found->second->OnStep();
}

void MidiSound::OnStep() {
    if (!timer_ || !playing) return;
    const u32 halts = halts_;
    Elapse(true);
    // Halted from a callback: the timer was cancelled, or armed anew by a restart.
    if (halts_ != halts) return;
    timer_ = nullptr;
    if (playing && !loopBroken && looping && passesLeft_ > 0 && PositionMs() >= loopEnd_) {
        if (passesLeft_ != kAudioLoopForever) --passesLeft_;
        Rewind();
        AdvanceTo(UnitsFromMs(loopStart_), false);
        RunDue(true);
    }
    if (endedTracks_ == tracks_.size()) {
        playing = false;
        Notify(kAudioNotifyFinished);
        return;
    }
    Schedule();
}
