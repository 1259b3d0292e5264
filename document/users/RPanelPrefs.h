#pragma once
// A panel's remembered settings: the keys and values of its own section of "user.ini".
#include <map>
#include <string>

#include "document/users/RUserFile.h"

namespace Ostrel {

class RPanelPrefs : public RUserFile {
public:
    RPanelPrefs(const Paths& paths, std::string section) : RUserFile(paths), section_(std::move(section)) {}

    std::map<std::string, std::string>& GetData() { return data_; }

protected:
    EngineErr LoadFrom(const Path* file) override;
    EngineErr SaveTo(const Path* file) override;

private:
    std::string section_;
    std::map<std::string, std::string> data_;
};

}  // namespace Ostrel
