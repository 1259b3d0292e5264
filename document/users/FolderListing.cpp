#include "document/users/FolderListing.h"

namespace Ostrel {

u16 AppendFoundName(const char* name, void* listing) {
    static_cast<FolderListing*>(listing)->names.emplace_back(name);
    return 0;
}

}  // namespace Ostrel
