#pragma once
// The names of the files in a folder, sorted; empty when the folder cannot be read. The
// current folder is the same afterwards.
#include <string>
#include <vector>

#include "engine/files/Paths.h"

namespace Ostrel {

std::vector<std::string> CollectFolderFiles(const Path* folder);

}  // namespace Ostrel
