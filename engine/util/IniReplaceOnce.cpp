#include "engine/util/IniReplaceOnce.h"

#include "engine/files/OsFiles.h"
#include "engine/ini/IniProfiles.h"

namespace {

// Holds the profile in memory, making its file first when there is none; the previous mode.
EngineErr holdInMemory(const Path* path, u16* previous, bool* made) {
    *previous = iniSetFlushMode(path, 0);
    if (*previous != kIniFlushModeUnknown) return kErrNone;
    if (const EngineErr error = iniGetLastError(); error != kIniErrNoFile) return error;
    const EngineErr created = osCreatePath(path, kOsKindFile);
    if (created && created != kOsErrExists) return created;
    *made = created == kErrNone;
    *previous = iniSetFlushMode(path, 0);
    return *previous == kIniFlushModeUnknown ? iniGetLastError() : kErrNone;
}

}  // namespace

EngineErr IniReplaceOnce(const Path* path, const std::function<EngineErr()>& changes) {
    if (!path || !path->record) return kIniErrNoFile;
    u16 previous = 0;
    bool made = false;
    EngineErr error = holdInMemory(path, &previous, &made);
    if (!error) error = changes();
    if (!error) {
        iniSetFlushMode(path, 1);
        error = iniGetLastError();
    }
    if (!error) {
        if (previous == 0) iniSetFlushMode(path, 0);
        return kErrNone;
    }
    iniDropChanges(path);
    // A file this run made goes again: there was none before.
    if (made) {
        osDeletePath(path);
        return error;
    }
    // The profile's owners find it in the mode they left it in, read again from the file.
    if (previous != kIniFlushModeUnknown) iniSetFlushMode(path, previous);
    return error;
}
