#pragma once
// A folder's entry names as the enumeration gives them (files or folders), unsorted.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

struct FolderListing {
    std::vector<std::string> names;
};

// The enumeration's callback (osEnumFiles, osEnumFolders) over a FolderListing: keeps a copy
// of the name and answers 0, so that the enumeration goes on to its end.
u16 AppendFoundName(const char* name, void* listing);

}  // namespace Ostrel
