#include <strings.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/audio/AdpcmXDec.h"
#include "engine/audio/Audio.h"
#include "engine/audio/AudioDeviceEntry.h"
#include "engine/audio/AudioModule.h"
#include "engine/audio/MidiMap.h"
#include "engine/audio/PcmMix.h"
#include "engine/audio/PcmXDec.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsThreads.h"

struct AudioXDecRecord {
    u32 magic = fourCC("XDec");
    AudioXDecRecord* next = nullptr;
    AudioXDecRecord* prev = nullptr;
    WaveXDecFactory factory = nullptr;
    u16 formatTag = 0;
};

namespace {

constexpr u32 kDeactivateWaitMs = 3000;
constexpr u16 kStartupAllocated = 4;

AudioModuleState& state() {
    static AudioModuleState module;
    return module;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

bool isSynthesizer(u16 technology) {
    return technology == plat::kMidiTechSynth || technology == plat::kMidiTechSquareWave ||
           technology == plat::kMidiTechFm || technology == plat::kMidiTechSoftwareSynth;
}

}  // namespace

AudioModuleState& audioModule() { return state(); }

EngineErr audioSetLastError(EngineErr err) { return state().lastError = err; }

u16 audioChooseMidiDevice(const std::optional<std::string>& setting) {
    const u16 count = midiMapGetNumDevs();
    if (setting) {
        u32 number = 0;
        if (audioParseDeviceNumber(*setting, 0xFFFF, &number)) {
            if (number < count) return u16(number);
        } else {
            for (u16 id = 0; id < count; ++id) {
                plat::MidiOutCaps caps;
                if (midiMapGetDevCaps(id, &caps) == 0 && sameIgnoringCase(caps.productName, *setting)) return id;
            }
        }
    }
    u16 chosen = 0;
    for (u16 id = 0; id < count; ++id) {
        plat::MidiOutCaps caps;
        if (midiMapGetDevCaps(id, &caps) == 0 && isSynthesizer(caps.technology) && caps.notes != 0) chosen = id;
    }
    return chosen;
}

u16 audioChooseWaveDevice(const std::optional<std::string>& setting) {
    if (!setting) return plat::kWaveMapper;
    const u16 count = pcmMixGetNumDevs();
    u32 number = 0;
    if (audioParseDeviceNumber(*setting, 0xFFFF, &number))
        return number == plat::kWaveMapper || number < count ? u16(number) : plat::kWaveMapper;
    PcmMixDevCaps mapper;
    if (pcmMixGetDevCaps(plat::kWaveMapper, &mapper, kPcmMixDevCapsSize) == 0 &&
        sameIgnoringCase(mapper.productName, *setting))
        return plat::kWaveMapper;
    for (u16 id = 0; id < count; ++id) {
        PcmMixDevCaps caps;
        if (pcmMixGetDevCaps(id, &caps, kPcmMixDevCapsSize) == 0 && sameIgnoringCase(caps.productName, *setting))
            return id;
    }
    return plat::kWaveMapper;
}

EngineErr audioInit() {
    AudioSettings settings;
    audioReadSettings(nullptr, &settings);
    return audioInit(settings);
}

EngineErr audioInit(const AudioSettings& settings) {
    AudioModuleState& m = state();
    m = AudioModuleState{};
    m.settings = settings;
    if (u16 err = midiMapStart(settings.enableMidi, settings.midi, settings.mixer))
        return audioSetLastError(err == kStartupAllocated ? kAudioErrAllocated : kAudioErrStartup);
    if (settings.enableMidi) {
        m.defaultMidiDevice = audioChooseMidiDevice(settings.defaultMidiDevice);
        if (settings.cacheDefaultMidiDevice) midiMapOpen(&m.cachedMidiMap, m.defaultMidiDevice, 0, 0, kMidiMapPassive);
    }
    m.defaultWaveDevice = audioChooseWaveDevice(settings.defaultWaveDevice);
    audioRegisterXDec(0, &PcmXDec::Create);
    audioRegisterXDec(1, &AdpcmXDec::Create);
    m.initialised = true;
    m.active = true;
    return audioSetLastError(kErrNone);
}

void audioShutdown() {
    AudioModuleState& m = state();
    if (!m.initialised) return;
    while (AudioObject* object = m.live) {
        object->Lock(kOsmNoTimeout);
        object->Stop();
        if (object->open) object->Close();
        object->Unlock();
        audioUnlinkObject(object);
        delete object;
    }
    if (m.cachedMidiMap) midiMapClose(m.cachedMidiMap);
    m.cachedMidiMap = nullptr;
    while (m.decompressors) audioUnregisterXDec(m.decompressors);
    m.initialised = false;
    midiMapRelease();
}

EngineErr audioGetLastError() { return state().lastError; }
u16 audioGetDefaultMidiDevice() { return state().defaultMidiDevice; }
u16 audioGetDefaultWaveDevice() { return state().defaultWaveDevice; }
u16 audioGetVersion() { return state().initialised ? kAudioVersion : 0; }
bool audioMidiEnabled() { return state().settings.enableMidi; }
const AudioSettings& audioSettings() { return state().settings; }

void audioLinkObject(AudioObject* object) {
    AudioModuleState& m = state();
    object->acquired = m.active;
    object->next = m.live;
    if (m.live) m.live->prev = object;
    m.live = object;
}

void audioUnlinkObject(AudioObject* object) {
    AudioModuleState& m = state();
    if (object->prev) object->prev->next = object->next;
    else if (m.live == object) m.live = object->next;
    if (object->next) object->next->prev = object->prev;
    object->next = object->prev = nullptr;
}

bool audioIsLive(const AudioObject* object) {
    for (AudioObject* o = state().live; o; o = o->next)
        if (o == object) return true;
    return false;
}

namespace {

// Releases every object's device. An object whose lock is not free within the limit keeps
// its device; one destroyed while waited for is gone, and the walk goes on from the start,
// since the list may have changed during the wait.
void releaseAll() {
    AudioModuleState& m = state();
    std::vector<AudioObject*> done;
    for (AudioObject* object = m.live; object;) {
        if (std::find(done.begin(), done.end(), object) != done.end()) {
            object = object->next;
            continue;
        }
        done.push_back(object);
        const EngineErr err = object->Lock(kDeactivateWaitMs);
        if (!audioIsLive(object) || err == kOsmErrObjectDestroyed) {
            object = m.live;
            continue;
        }
        if (err != kOsmErrTimeout) object->Acquire(false);
        if (err == kErrNone) object->Unlock();
        object = object->next;
    }
    if (m.cachedMidiMap) midiMapClose(m.cachedMidiMap);
    m.cachedMidiMap = nullptr;
    pcmMixPurge();
    m.active = false;
}

}  // namespace

EngineErr audioActivate(u16 on) {
    AudioModuleState& m = state();
    if (m.activating) return m.lastError;
    m.activating = true;
    EngineErr result = kErrNone;
    if (on && !m.active) {
        if (m.settings.cacheDefaultMidiDevice && m.settings.enableMidi && !m.cachedMidiMap)
            midiMapOpen(&m.cachedMidiMap, m.defaultMidiDevice, 0, 0, kMidiMapPassive);
        for (AudioObject* object = m.live; object && !result; object = object->next) {
            if ((result = object->Lock(kOsmNoTimeout))) break;
            result = object->Acquire(true);
            object->Unlock();
        }
        if (result) releaseAll();
        else m.active = true;
    } else if (!on && m.active) {
        releaseAll();
    }
    m.activating = false;
    return audioSetLastError(result);
}

AudioXDecRecord* audioRegisterXDec(u16 formatTag, WaveXDecFactory factory) {
    AudioModuleState& m = state();
    auto* record = new (std::nothrow) AudioXDecRecord;
    if (!record) {
        audioSetLastError(kAudioErrOutOfMemory);
        return nullptr;
    }
    record->factory = factory;
    record->formatTag = formatTag;
    record->next = m.decompressors;
    if (m.decompressors) m.decompressors->prev = record;
    m.decompressors = record;
    audioSetLastError(kErrNone);
    return record;
}

EngineErr audioUnregisterXDec(AudioXDecRecord* record) {
    AudioModuleState& m = state();
    if (!record) return audioSetLastError(kAudioErrNotObject);
    if (record->prev) record->prev->next = record->next;
    else m.decompressors = record->next;
    if (record->next) record->next->prev = record->prev;
    record->magic = 0;
    delete record;
    return audioSetLastError(kErrNone);
}

WaveXDecFactory audioFindXDec(u16 formatTag) {
    for (AudioXDecRecord* r = state().decompressors; r; r = r->next)
        if (r->formatTag == formatTag) return r->factory;
    return nullptr;
}
