#include "screens/easel/PageSounds.h"

#include <algorithm>
#include <cstring>

#include "document/objects/RMediaFilePageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "engine/base/MemoryHandles.h"
#include "sound/import/ArchiveWaveData.h"

namespace Ostrel {

namespace {

constexpr i16 kSoundOwnsHandle = 1;

const RMediaFilePageObject* soundObject(const RPageObject& object) {
    if (object.Type() != kTypeSound) return nullptr;
    return dynamic_cast<const RMediaFilePageObject*>(&object);
}

}  // namespace

bool IsPlayablePageSound(const RPageObject& object) {
    const RMediaFilePageObject* sound = soundObject(object);
    ArchiveWaveData wave;
    return sound && ParseArchiveWaveData(sound->media, &wave) == kErrNone && wave.frames > 0;
}

void PageSounds::Play(const RPageData& page) {
    Stop();
    sounds_.clear();
    u32 iterator = 0;
    RPageObject* object = nullptr;
    while (page.NextObjectSkipFlagged(&iterator, &object, kTypeSound)) {
        if (!IsPlayablePageSound(*object)) continue;
        const std::vector<u8>& media = soundObject(*object)->media;
        const memHandle copy = memAllocHandle(u32(media.size()));
        if (!copy) continue;
        std::memcpy(memLockHandle(copy), media.data(), media.size());
        memUnlockHandle(copy);
        auto sound = std::make_unique<RSound>();
        // The sound owns the copy from here, also when it cannot be opened.
        if (sound->LoadFromHandle(copy, kSoundOwnsHandle) != kErrNone || sound->Play() != kErrNone) continue;
        sounds_.push_back(std::move(sound));
    }
}

void PageSounds::Stop() {
    for (const auto& sound : sounds_)
        if (sound->IsPlaying()) sound->Stop();
}

size_t PageSounds::PlayingCount() const {
    return size_t(std::count_if(sounds_.begin(), sounds_.end(), [](const auto& sound) { return sound->IsPlaying(); }));
}

}  // namespace Ostrel
