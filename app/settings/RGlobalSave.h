#pragma once
// Loads and saves the global user settings in the current user's "user.ini". A temporary
// instance serves each load or save.
#include "app/settings/GlobalUserSettings.h"
#include "document/users/RUserFile.h"

namespace Ostrel {

constexpr const char* kGlobalUserSection = "GlobalUser";

class RGlobalSave : public RUserFile {
public:
    RGlobalSave(const Paths& paths, GlobalUserSettings* settings) : RUserFile(paths), settings_(settings) {}

protected:
    // Without a record there is nothing to read or write: 0, and the file is left alone.
    EngineErr LoadFrom(const Path* file) override;
    EngineErr SaveTo(const Path* file) override;

private:
    GlobalUserSettings* settings_;
};

}  // namespace Ostrel
