#include "sound/sprites/SprSoundChannels.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "engine/audio/Audio.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/resources/ResourceManager.h"
#include "sound/SoundGain.h"

namespace {

constexpr FourCC kWaveType = fourCC("tWAV");
constexpr FourCC kMidiType = fourCC("tMID");
constexpr u16 kTagMask = 0x7FFF;
constexpr u16 kTagNeverCut = 2;
// The part of the owner's cue text cleared when its sound starts.
constexpr u32 kCueTextClearBytes = 4;

// Where the owner of a sound wants to hear of it.
struct Owner {
    u16* done = nullptr;
    u32* cueFlag = nullptr;
    char* cueText = nullptr;
    u32 cueTextSize = 0;
};

struct Channel {
    u16 state = kSprChannelFree;
    u16 tag = 0;
    u16 soundId = 0;
    FourCC type = 0;
    ResourceRef ref = 0;
    AudioObject* audio = nullptr;
    u32 startTime = 0;
    bool started = false;
    bool streamed = false;
    Owner owner;
    // Set by the audio side when the sound ended or passed a cue; taken on the user-interface
    // thread. The latest cue's text waits in `cueName`, guarded by `cueMutex`.
    std::atomic<bool> ended{false};
    std::atomic<bool> cued{false};
    std::string cueName;
};

std::array<Channel, kSprChannels> channels;
std::mutex cueMutex;
SprDeviceBusyPrompt busyPrompt;

// Each channel operation's own flag. The busy-device prompt runs a modal loop whose screen
// updates service the channels again: an operation entered again from inside itself does
// nothing and fails, so a channel is never opened, started or freed twice at once.
struct BusyFlags {
    bool stop = false;
    bool free = false;
    bool alloc = false;
    bool open = false;
    bool start = false;
};
BusyFlags busy;

class BusyGuard {
public:
    explicit BusyGuard(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
    ~BusyGuard() {
        if (entered_) flag_ = false;
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    bool Entered() const { return entered_; }

private:
    bool& flag_;
    bool entered_;
};

bool soundOn() {
    const SprScreen* screen = sprScreen();
    return screen && screen->soundEnabled;
}

u32 now() { return sprScreen() ? sprScreen()->currentTime : 0; }

// Answers the owner and lets go of all its words.
void answer(Channel& c, u16 value) {
    if (c.owner.done) *c.owner.done = value;
    c.owner = Owner{};
}

void clearCueText(const Owner& owner) {
    if (owner.cueText) std::memset(owner.cueText, 0, std::min(owner.cueTextSize, kCueTextClearBytes));
}

void deliverCue(Channel& c) {
    if (!c.cued.exchange(false)) return;
    Owner& owner = c.owner;
    if (owner.cueText && owner.cueTextSize > 0) {
        std::lock_guard lock(cueMutex);
        const size_t length = std::min<size_t>(c.cueName.size(), owner.cueTextSize - 1);
        std::memcpy(owner.cueText, c.cueName.data(), length);
        owner.cueText[length] = 0;
    }
    if (owner.cueFlag) *owner.cueFlag = 1;
}

void clear(Channel& c) {
    c.state = kSprChannelFree;
    c.tag = 0;
    c.soundId = 0;
    c.type = 0;
    c.ref = 0;
    c.audio = nullptr;
    c.startTime = 0;
    c.started = false;
    c.streamed = false;
    c.owner = Owner{};
    c.ended = false;
    c.cued = false;
}

void stopChannel(Channel& c) {
    const BusyGuard guard(busy.stop);
    if (!guard.Entered()) return;
    c.state = kSprChannelFree;
    c.tag = 0;
    c.started = false;
    answer(c, kSprSoundCancelled);
    if (c.audio && (audioGetStatus(c.audio) & (kAudioStatusPlaying | kAudioStatusPaused))) audioStop(c.audio);
    c.ended = false;
    c.cued = false;
}

void freeChannel(Channel& c) {
    const BusyGuard guard(busy.free);
    if (!guard.Entered()) return;
    answer(c, kSprSoundCancelled);
    if (!c.audio) return;  // a booking never opened keeps its fields and starts at the next service
    stopChannel(c);
    if (audioGetStatus(c.audio) & kAudioStatusOpen) audioClose(c.audio);
    audioDispose(c.audio);
    if (!c.streamed && c.ref) resReleaseResource(c.ref, 1);
    clear(c);
}

// Delivers what the audio side reported since the last look.
void takeEndings() {
    for (Channel& c : channels) {
        deliverCue(c);
        if (!c.ended.exchange(false)) continue;
        c.state = kSprChannelFinished;
        c.started = false;
        answer(c, c.soundId);
    }
}

void soundCallback(AudioObject* object, const AudioNotification* notification, uintptr_t index) {
    if (!object || !notification || index >= kSprChannels) return;
    Channel& c = channels[index];
    if (notification->code == kAudioNotifyMarker) {
        {
            std::lock_guard lock(cueMutex);
            if (notification->name)
                c.cueName.assign(notification->name, notification->nameLength);
            else
                c.cueName.clear();
        }
        c.cued = true;
    } else if (notification->code == kAudioNotifyFinished) {
        c.ended = true;
    }
}

bool deviceBusy(EngineErr err) { return err == kAudioErrDevice || err == kAudioErrAllocated; }

u16 openSound(u16 index) {
    const BusyGuard guard(busy.open);
    if (!guard.Entered()) return kSprNoChannel;
    Channel& c = channels[index];
    c.startTime = now();
    if (!c.ref) c.ref = resFindResource(c.type, c.soundId, 0);
    if (!c.ref) {
        clear(c);
        return kSprNoChannel;
    }
    if (!c.audio) {
        const i32 size = resGetResourceSize(c.ref);
        if (c.type == kWaveType && size >= i32(kSprStreamBytes)) {
            c.streamed = true;
            c.audio = audioNewWaveStream(c.ref, kSprStreamPreload);
        } else {
            c.streamed = false;
            const memHandle data = resLoadResource(c.ref, 1);
            c.audio = data ? audioNewFromHandle(data) : nullptr;
            if (!c.audio && data) resReleaseResource(c.ref, 1);
        }
        if (!c.audio) {
            clear(c);
            return kSprNoChannel;
        }
    }
    if (audioGetStatus(c.audio) & kAudioStatusOpen) return index;
    EngineErr err = audioOpen(c.audio, kAudioDefaultDevice);
    // Only a busy device is worth asking about; no device or MIDI turned off stays silent.
    while (deviceBusy(err) && busyPrompt && busyPrompt()) err = audioOpen(c.audio, kAudioDefaultDevice);
    if (err) {
        audioDispose(c.audio);
        if (!c.streamed) resReleaseResource(c.ref, 1);
        clear(c);
        return kSprNoChannel;
    }
    c.state = kSprChannelOpen;
    const u16 volume = sprScreen()->soundVolume;
    if (volume >= 1 && volume <= kSoundMaxLevel) audioSetVolume(c.audio, soundGainForLevel(volume));
    return index;
}

bool startSound(u16 index) {
    const BusyGuard guard(busy.start);
    if (!guard.Entered()) return false;
    SprScreen* screen = sprScreen();
    if (!screen || screen->suspended) return false;
    Channel& c = channels[index];
    const u16 tag = c.tag;
    const Owner owner = c.owner;
    if (openSound(index) == kSprNoChannel) {
        if (owner.done) *owner.done = kSprSoundCancelled;
        return false;
    }
    c.tag = tag;
    c.owner = owner;
    if (audioSetPosition(c.audio, 0) == kErrNone &&
        audioPlay(c.audio, &soundCallback, uintptr_t(index)) == kErrNone) {
        c.startTime = now();
        c.started = true;
        c.state = kSprChannelPlaying;
        if (owner.done) *owner.done = 0;
        if (owner.cueFlag) *owner.cueFlag = 0;
        clearCueText(owner);
        if (c.type == kMidiType) screen->midiPlaying = 1;
        return true;
    }
    c.started = false;
    c.state = kSprChannelOpen;
    answer(c, kSprSoundCancelled);
    return false;
}

// The channel a booking takes: the one that holds the sound already (stopped, its audio object
// kept), else a free one, else the open one started longest ago, freed.
u16 takeChannel(u16 soundId) {
    const BusyGuard guard(busy.alloc);
    if (!guard.Entered()) return kSprNoChannel;
    u16 index = sprFindChannel(soundId);
    if (index != kSprNoChannel) {
        stopChannel(channels[index]);
        return index;
    }
    for (u16 i = 0; i < kSprChannels; ++i)
        if (channels[i].state == kSprChannelFree && !channels[i].started) return i;
    for (u16 i = 0; i < kSprChannels; ++i)
        if (channels[i].state == kSprChannelOpen &&
            (index == kSprNoChannel || channels[i].startTime < channels[index].startTime))
            index = i;
    if (index != kSprNoChannel) freeChannel(channels[index]);
    return index;
}

bool playHook(const SprSoundRequest& request) { return sprPlaySound(request) == 0; }

}  // namespace

void sprInstallSoundChannels() {
    sprSetSoundHooks(SprSoundHooks{&playHook, &sprStopTaggedSounds, &sprServiceSoundChannels, &sprStopAllSounds});
}

void sprSetDeviceBusyPrompt(SprDeviceBusyPrompt prompt) { busyPrompt = std::move(prompt); }

u16 sprPlaySound(const SprSoundRequest& request) {
    if (!soundOn()) return 1;
    const u16 soundId = request.soundId;
    const u16 index = takeChannel(soundId);
    if (index == kSprNoChannel) return 1;
    Channel& c = channels[index];
    const FourCC type = request.midi ? kMidiType : kWaveType;
    if (c.soundId != soundId || c.type != type) {
        // Another sound's object cannot be reused.
        if (c.audio) freeChannel(c);
        clear(c);
    }
    c.state = kSprChannelRequested;
    c.tag = request.tag ? request.tag : 1;
    c.soundId = soundId;
    c.type = type;
    c.startTime = 0;
    c.owner = Owner{request.done, request.cueFlag, request.cueText, request.cueTextSize};
    return 0;
}

void sprStopTaggedSounds(u16 tag) {
    takeEndings();
    for (Channel& c : channels) {
        if (c.soundId == 0 || (tag != 0 && (c.tag & kTagMask) != (tag & kTagMask))) continue;
        if (c.audio) {
            freeChannel(c);
        } else {
            // A booking not yet opened still starts, but the owner may be gone: forget its word.
            answer(c, kSprSoundCancelled);
        }
    }
}

void sprStopSound(u16 soundId) {
    if (!soundOn()) return;
    takeEndings();
    const u16 index = sprFindChannel(soundId);
    if (index != kSprNoChannel) freeChannel(channels[index]);
}

void sprStopAllSounds() {
    for (Channel& c : channels) {
        freeChannel(c);
        clear(c);
    }
}

void sprFreeFinishedChannels() {
    takeEndings();
    for (Channel& c : channels)
        if (c.state == kSprChannelFinished) freeChannel(c);
}

void sprServiceSoundChannels() {
    if (!soundOn()) return;
    sprFreeFinishedChannels();
    std::vector<u16> tags;
    for (const Channel& c : channels)
        if (c.state == kSprChannelRequested && std::find(tags.begin(), tags.end(), c.tag) == tags.end()) tags.push_back(c.tag);
    for (const u16 tag : tags) {
        if (tag != kTagNeverCut)
            for (Channel& c : channels)
                if (c.tag == tag && c.state == kSprChannelPlaying && c.started) freeChannel(c);
        for (u16 i = 0; i < kSprChannels; ++i)
            if (channels[i].tag == tag && channels[i].state == kSprChannelRequested) startSound(i);
    }
}

u16 sprFindChannel(u16 soundId) {
    for (u16 i = 0; i < kSprChannels; ++i)
        if (soundId != 0 && channels[i].soundId == soundId) return i;
    return kSprNoChannel;
}

u16 sprChannelState(u16 index) { return index < kSprChannels ? channels[index].state : kSprChannelFree; }

bool sprChannelStreamed(u16 index) { return index < kSprChannels && channels[index].streamed; }
