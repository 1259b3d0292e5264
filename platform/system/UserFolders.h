#pragma once
// Where the desktop keeps a user's data and settings (the XDG base folders). Host texts in
// UTF-8, without a trailing separator; empty when neither the variable nor $HOME is set.
#include <string>

namespace plat {

// $XDG_DATA_HOME, else $HOME/.local/share.
std::string userDataHome();
// $XDG_CONFIG_HOME, else $HOME/.config.
std::string userConfigHome();

}  // namespace plat
