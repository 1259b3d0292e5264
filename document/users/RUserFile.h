#pragma once
// The base of the per-user settings files: each keeps its section of the current user's
// "user.ini", in the user's own folder.
#include "document/users/Paths.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr const char* kUserSettingsFileName = "user.ini";

class RUserFile {
public:
    explicit RUserFile(const Paths& paths) : paths_(paths) {}
    virtual ~RUserFile() = default;
    RUserFile(const RUserFile&) = delete;
    RUserFile& operator=(const RUserFile&) = delete;

    // Reads or writes the settings; 0 when done or when there is nothing to do.
    EngineErr Load();
    EngineErr Save();
    // Initialises `file` with the current user's "user.ini"; kDocErrNoUser without a user,
    // kDocErrNoFolder when the user's folder is not there.
    EngineErr Serialize(Path* file) const;

protected:
    virtual EngineErr LoadFrom(const Path* file) = 0;
    virtual EngineErr SaveTo(const Path* file) = 0;

private:
    const Paths& paths_;
};

}  // namespace Ostrel
