// Creating audio objects from sound resources.
#include "engine/audio/AudioModule.h"
#include "engine/audio/MidiSound.h"
#include "engine/audio/WaveSound.h"
#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/base/ByteOrder.h"

namespace {

constexpr u32 kMinImageLength = 4;

AudioObject* adopt(AudioObject* object, EngineErr err) {
    audioSetLastError(err);
    if (err) return nullptr;
    audioLinkObject(object);
    return object;
}

}  // namespace

AudioObject* audioNewFromHandle(memHandle handle) {
    const u8* image = static_cast<const u8*>(memLockHandle(handle));
    if (!image) return adopt(nullptr, kAudioErrOutOfMemory);
    const i32 size = memGetHandleSize(handle);
    FourCC form = 0;
    if (size >= 12 && readBE32(image) == kArchiveMagic && readBE32(image + 4) >= kMinImageLength)
        form = readBE32(image + 8);
    memUnlockHandle(handle);
    if (form == kWaveForm) {
        WaveSound* sound = nullptr;
        const EngineErr err = WaveSound::Create(handle, &sound);
        return adopt(sound, err);
    }
    if (form == kMidiForm) {
        MidiSound* sound = nullptr;
        const EngineErr err = MidiSound::Create(handle, &sound);
        return adopt(sound, err);
    }
    return adopt(nullptr, kAudioErrNotSound);
}

AudioObject* audioNewWaveStream(ResourceRef resource, u32 preloadMs) {
    WaveSound* sound = nullptr;
    const EngineErr err = WaveSound::Create(resource, preloadMs, &sound);
    return adopt(sound, err);
}
