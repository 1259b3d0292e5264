#pragma once
// Adding an item to the user's own library of a media kind as one replacement of the library's
// file: the library as it was (or a new one) is copied beside it, the item added there, the
// copy flushed and moved over the library. A stop at any moment leaves the library as it was
// or with the item, never half written; a library shown meanwhile keeps the file it opened
// until it is opened again.
#include <span>
#include <string>

#include "document/library/RLibraryMgr.h"

namespace Ostrel {

// kOsErrDiskFull when the volume is full; the library's own errors otherwise.
EngineErr AddUserLibraryItem(const RLibraryMgr& libraries, FourCC type, std::span<const u8> media,
                             std::span<const u8> thumbnail, const std::string& name);

}  // namespace Ostrel
