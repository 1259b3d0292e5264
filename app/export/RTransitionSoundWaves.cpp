#include "app/export/RTransitionSoundWaves.h"

#include "app/application/RApplication.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/ini/IniProfiles.h"
#include "framework/resources/OpenResFileAt.h"

namespace Ostrel {

namespace {

// As long as a name the settings file may give.
constexpr u16 kFileNameSize = 256;

}  // namespace

RTransitionSoundWaves::RTransitionSoundWaves() {
    const RApplication* app = GetApplication();
    if (!app || !app->GetPaths()) return;
    char name[kFileNameSize] = {};
    if (iniGetString(&app->GetConfigPath(), kTransitionWaveSection, kTransitionWaveFileKey, name, sizeof name - 1,
                     "") != kErrNone ||
        name[0] == '\0')
        return;
    EnginePath path(app->GetPaths()->BuildPath(kFolderGuide, true) + name);
    if (!path.empty()) archive_ = OpenResFileAt(*path.get());
}

RTransitionSoundWaves::~RTransitionSoundWaves() {
    if (archive_) resCloseFile(archive_, 0, 0);
}

std::vector<u8> RTransitionSoundWaves::Wave(u16 place) const {
    std::vector<u8> wave;
    if (!archive_ || place == 0 || place > 0xFFFF - kTransitionWaveBase) return wave;
    const ResourceRef found = resFindResource(kTypeSound, u16(kTransitionWaveBase + place), archive_);
    const i32 size = found ? resGetResourceSize(found) : 0;
    if (size <= 0) return wave;
    wave.resize(size_t(size));
    u32 count = u32(size);
    if (resReadResource(found, wave.data(), &count, 0) != kErrNone || count != u32(size)) wave.clear();
    return wave;
}

}  // namespace Ostrel
