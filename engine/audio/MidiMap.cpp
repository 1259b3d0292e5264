#include "engine/audio/MidiMap.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/audio/PcmMix.h"
#include "platform/audio/WaveTypes.h"
#include "platform/midi/choice/MidiChoice.h"

namespace {

constexpr u8 kEngineSysEx[] = {0xF0, 0x00, 0x00, 0x34};
constexpr u8 kUnmuteAll = 0x00, kMute = 0x01, kUnmute = 0x02;
constexpr u8 kDeviceUnmuteAll = 0x10, kDeviceMute = 0x11, kDeviceUnmute = 0x12;

struct MidiDevice {
    u16 id = 0;
    plat::MidiOutCaps caps;
    MidiDeviceSetup setup;
    bool deviceMuted[16] = {};
    u16 openCount = 0;
    std::unique_ptr<plat::MidiOutPort> port;
    u32 sounding = 0;
    std::vector<MidiMapClient*> clients;
};

struct Module {
    u16 starts = 0;
    bool enabled = false;
    MidiMapSettings settings;
    std::vector<std::unique_ptr<MidiDevice>> devices;
};

Module& module() {
    static Module state;
    return state;
}

}  // namespace

struct MidiMapClient {
    u32 magic = kMidiMapMagic;
    MidiDevice* device = nullptr;
    bool passive = false;
    Fixed volume = kFixedOne;
    u8 velocity[128] = {};
    bool muted[16] = {};
    u8 notes[16][128] = {};
    MidiPatchMasks patches{};
    MidiPatchMasks drumKeys{};
};

namespace {

bool valid(MidiMap map) { return map && map->magic == kMidiMapMagic; }

void buildVelocities(MidiMapClient& client) {
    for (u32 v = 0; v < 128; ++v) client.velocity[v] = u8(std::min<u64>(127, (u64(v) * u32(client.volume)) >> 16));
}

MidiDevice* deviceRecord(u16 id) {
    for (auto& device : module().devices)
        if (device->id == id) return device.get();
    if (id >= midiMapGetNumDevs()) return nullptr;
    auto device = std::make_unique<MidiDevice>();
    device->id = id;
    device->caps = plat::midiBackend().caps(id);
    device->setup = midiMapDeviceSetup(module().settings, device->caps);
    std::copy(std::begin(device->setup.muted), std::end(device->setup.muted), device->deviceMuted);
    module().devices.push_back(std::move(device));
    return module().devices.back().get();
}

void send(MidiDevice& device, u32 packed) {
    const u8 channel = packed & 15;
    device.port->shortMessage((packed & ~u32(15)) | device.setup.channelMap[channel]);
}

void notesOff(MidiMapClient& client, u8 channel) {
    MidiDevice& device = *client.device;
    for (u8 key = 0; key < 128; ++key) {
        for (; client.notes[channel][key] > 0; --client.notes[channel][key]) {
            send(device, u32(0x80 | channel) | (u32(key) << 8));
            if (device.sounding) --device.sounding;
        }
    }
}

void shortMessage(MidiMapClient& client, u32 packed) {
    MidiDevice& device = *client.device;
    const u8 status = packed & 0xFF;
    const u8 channel = status & 15;
    const u8 key = (packed >> 8) & 0x7F;
    const u8 velocity = (packed >> 16) & 0x7F;
    const bool muted = client.muted[channel] || device.deviceMuted[channel];
    u8& count = client.notes[channel][key];
    if ((status & 0xF0) == 0x90 && velocity > 0) {
        const u8 mapped = client.velocity[velocity];
        if (muted || count == 255 || mapped == 0) return;
        packed = (packed & 0xFFFF) | (u32(mapped) << 16);
        ++count;
        ++device.sounding;
    } else if ((status & 0xF0) == 0x80 || (status & 0xF0) == 0x90) {
        if (muted || count == 0) return;
        if ((status & 0xF0) == 0x80) packed = (packed & 0xFFFF) | (u32(client.velocity[velocity]) << 16);
        --count;
        if (device.sounding) --device.sounding;
    }
    send(device, packed);
}

// The engine's own message: mutes and unmutes, never sent on. 11 for a channel outside 0-15.
u16 engineSysEx(MidiMapClient& client, std::span<const u8> message) {
    if (message.size() < 6) return plat::kMmErrInvalidParam;
    const u8 deviceByte = message[4];
    const i32 target = (deviceByte & 0x40) ? i32(deviceByte) - 0x80 : i32(deviceByte);
    if (target != 0 && target != client.device->setup.targetId) return plat::kMmNoError;
    const u8 command = message[5];
    const bool takesChannel = command == kMute || command == kUnmute || command == kDeviceMute || command == kDeviceUnmute;
    if (takesChannel && (message.size() < 8 || message[6] > 15)) return plat::kMmErrInvalidParam;
    const u8 channel = takesChannel ? message[6] : 0;
    MidiDevice& device = *client.device;
    switch (command) {
    case kUnmuteAll: std::fill(std::begin(client.muted), std::end(client.muted), false); break;
    case kMute:
        client.muted[channel] = true;
        notesOff(client, channel);
        break;
    case kUnmute: client.muted[channel] = false; break;
    case kDeviceUnmuteAll: std::fill(std::begin(device.deviceMuted), std::end(device.deviceMuted), false); break;
    case kDeviceMute:
        device.deviceMuted[channel] = true;
        for (MidiMapClient* other : device.clients)
            if (!other->passive) notesOff(*other, channel);
        break;
    case kDeviceUnmute: device.deviceMuted[channel] = false; break;
    default: break;
    }
    return plat::kMmNoError;
}

// The caching common to programs and percussion keys; `held` picks the client's masks.
u16 cache(MidiMap map, u16 bank, MidiPatchMasks* masks, u16 flags, bool drums) {
    if (!valid(map)) return plat::kMmErrInvalidHandle;
    if (map->passive || !(map->device->caps.support & plat::kMidiSupportCache)) return plat::kMmErrNotSupported;
    if (bank != 0 || !masks) return plat::kMmErrInvalidParam;
    const auto held = [drums](MidiMapClient& client) -> MidiPatchMasks& { return drums ? client.drumKeys : client.patches; };
    MidiPatchMasks& mine = held(*map);
    MidiDevice& device = *map->device;
    switch (flags) {
    case kMidiCache:
    case kMidiCacheAll:
        for (size_t i = 0; i < mine.size(); ++i) mine[i] |= (*masks)[i];
        device.port->cachePatches(drums, *masks, true);
        *masks = mine;
        return plat::kMmNoError;
    case kMidiCacheQuery:
        *masks = mine;
        return plat::kMmNoError;
    case kMidiUncache: {
        MidiPatchMasks unused = *masks;
        for (size_t i = 0; i < mine.size(); ++i) mine[i] &= u16(~(*masks)[i]);
        for (MidiMapClient* other : device.clients)
            if (other != map && !other->passive)
                for (size_t i = 0; i < unused.size(); ++i) unused[i] &= u16(~held(*other)[i]);
        device.port->cachePatches(drums, unused, false);
        return plat::kMmNoError;
    }
    default: return plat::kMmErrInvalidParam;
    }
}

}  // namespace

u16 midiMapStart(bool enableMidi, const MidiMapSettings& settings, const PcmMixSettings& mixer) {
    Module& m = module();
    if (m.starts++ > 0) return plat::kMmNoError;
    if (EngineErr err = pcmMixInit(mixer)) {
        m.starts = 0;
        return u16(err);
    }
    m.enabled = enableMidi;
    if (enableMidi) m.settings = settings;
    return plat::kMmNoError;
}

void midiMapRelease() {
    Module& m = module();
    if (m.starts == 0 || --m.starts > 0) return;
    pcmMixShutdown();
    for (auto& device : m.devices) {
        while (!device->clients.empty()) midiMapClose(device->clients.back());
    }
    m.devices.clear();
    m.settings = {};
}

u16 midiMapGetNumDevs() { return u16(std::min<u32>(plat::midiBackend().deviceCount(), 0xFFFF)); }

u16 midiMapGetDevCaps(u16 deviceId, plat::MidiOutCaps* caps) {
    if (deviceId >= midiMapGetNumDevs()) return plat::kMmErrBadDeviceId;
    *caps = plat::midiBackend().caps(deviceId);
    return plat::kMmNoError;
}

u16 midiMapOpen(MidiMap* map, u16 deviceId, uintptr_t callback, uintptr_t instance, u32 flags) {
    *map = nullptr;
    if (callback || instance || (flags & kMidiMapCallbackMask)) return plat::kMmErrInvalidParam;
    MidiDevice* device = deviceRecord(deviceId);
    if (!device) return plat::kMmErrBadDeviceId;
    if (device->openCount == 0) {
        device->port = plat::midiBackend().open(deviceId);
        if (!device->port) return plat::kMmErrAllocated;
    }
    auto client = std::make_unique<MidiMapClient>();
    client->device = device;
    client->passive = (flags & kMidiMapPassive) != 0;
    buildVelocities(*client);
    ++device->openCount;
    device->clients.push_back(client.get());
    *map = client.release();
    return plat::kMmNoError;
}

u16 midiMapClose(MidiMap map) {
    if (!valid(map)) return plat::kMmErrInvalidHandle;
    MidiDevice& device = *map->device;
    if (!map->passive) {
        for (u8 channel = 0; channel < 16; ++channel) notesOff(*map, channel);
    }
    std::erase(device.clients, map);
    if (--device.openCount == 0) {
        device.port->reset();
        device.port.reset();
        device.sounding = 0;
    }
    map->magic = 0;
    delete map;
    return plat::kMmNoError;
}

u16 midiMapShortMsg(MidiMap map, u32 packed) {
    if (!valid(map)) return plat::kMmErrInvalidHandle;
    if (map->passive) return plat::kMmErrNotSupported;
    shortMessage(*map, packed);
    return plat::kMmNoError;
}

u16 midiMapLongMsg(MidiMap map, std::span<const u8> bytes) {
    if (!valid(map)) return plat::kMmErrInvalidHandle;
    if (map->passive) return plat::kMmErrNotSupported;
    u8 running = 0;
    size_t at = 0;
    while (at < bytes.size()) {
        const u8 first = bytes[at];
        if (first == 0xF0) {
            const auto end = std::find(bytes.begin() + ptrdiff_t(at), bytes.end(), u8(0xF7));
            if (end == bytes.end()) return plat::kMmErrInvalidParam;
            const std::span<const u8> message = bytes.subspan(at, size_t(end - bytes.begin()) - at + 1);
            if (message.size() >= 6 && std::equal(std::begin(kEngineSysEx), std::end(kEngineSysEx), message.begin())) {
                if (u16 err = engineSysEx(*map, message)) return err;
            } else {
                map->device->port->longMessage(message);
            }
            at += message.size();
            running = 0;
            continue;
        }
        u8 status = first;
        if (first < 0x80) {
            if (running == 0) return plat::kMmErrInvalidParam;
            status = running;
        } else if (first >= 0xF1) {
            return plat::kMmErrInvalidParam;
        } else {
            ++at;
            running = status;
        }
        const u8 needed = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
        if (bytes.size() - at < needed) return plat::kMmErrInvalidParam;
        u32 packed = status | (u32(bytes[at]) << 8);
        if (needed == 2) packed |= u32(bytes[at + 1]) << 16;
        at += needed;
        shortMessage(*map, packed);
    }
    return plat::kMmNoError;
}

u16 midiMapAllNotesOff(MidiMap map, u8 channel) {
    if (!valid(map)) return plat::kMmErrInvalidHandle;
    if (map->passive) return plat::kMmErrNotSupported;
    if (channel > 15) return plat::kMmErrInvalidParam;
    notesOff(*map, channel);
    return plat::kMmNoError;
}

u16 midiMapReset(MidiMap map) {
    if (!valid(map)) return plat::kMmErrInvalidHandle;
    if (map->passive) return plat::kMmErrNotSupported;
    const u32 before = map->device->sounding;
    for (u8 channel = 0; channel < 16; ++channel) notesOff(*map, channel);
    if (before && !map->device->sounding && module().settings.enableHardReset) map->device->port->reset();
    return plat::kMmNoError;
}

u16 midiMapSetVolume(MidiMap map, Fixed volume) {
    if (!valid(map)) return plat::kMmErrInvalidHandle;
    if (map->passive) return plat::kMmErrNotSupported;
    if (volume < 0) return plat::kMmErrInvalidParam;
    if (volume == 0 && map->volume != 0) {
        for (u8 channel = 0; channel < 16; ++channel) notesOff(*map, channel);
    }
    map->volume = volume;
    buildVelocities(*map);
    return plat::kMmNoError;
}

u16 midiMapCachePatches(MidiMap map, u16 bank, MidiPatchMasks* masks, u16 flags) {
    return cache(map, bank, masks, flags, false);
}

u16 midiMapCacheDrumPatches(MidiMap map, u16 bank, MidiPatchMasks* masks, u16 flags) {
    return cache(map, bank, masks, flags, true);
}

u16 midiMapGetPercussionChannel(u16 deviceId, u8* channel) {
    const MidiDevice* device = deviceRecord(deviceId);
    if (!device) return plat::kMmErrBadDeviceId;
    *channel = device->setup.percussion;
    return plat::kMmNoError;
}
