#include "app/dialogs/RTransitionSounds.h"

#include "app/application/RApplication.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/ini/IniProfiles.h"
#include "framework/resources/OpenResFileAt.h"

namespace Ostrel {

namespace {

// As long as a name the settings file may give.
constexpr u16 kFileNameSize = 256;

}  // namespace

RTransitionSounds::RTransitionSounds() {
    const RApplication* app = GetApplication();
    if (!app || !app->GetPaths()) return;
    char name[kFileNameSize] = {};
    if (iniGetString(&app->GetConfigPath(), kTransSoundSection, kTransSoundFileKey, name, sizeof name - 1, "") !=
            kErrNone ||
        name[0] == '\0')
        return;
    EnginePath path(app->GetPaths()->BuildPath(kFolderGuide, true) + name);
    archive_ = OpenResFileAt(*path.get());
}

RTransitionSounds::~RTransitionSounds() {
    sound_.reset();
    if (archive_) resCloseFile(archive_, 0, 0);
}

bool RTransitionSounds::Play(i16 place) {
    Stop();
    // Every positive place has its id below 0xFFFF.
    if (!archive_ || place <= 0) return false;
    auto sound = std::make_unique<RSound>(u16(kTransSoundWaveBase + place), 0, archive_);
    if (!sound->IsLoaded() || sound->Play() != kErrNone) return false;
    sound_ = std::move(sound);
    place_ = place;
    return true;
}

void RTransitionSounds::Stop() {
    if (sound_) sound_->Stop();
    sound_.reset();
    place_ = -1;
}

i32 RTransitionSounds::Playing() const { return sound_ && sound_->IsPlaying() ? place_ : -1; }

}  // namespace Ostrel
