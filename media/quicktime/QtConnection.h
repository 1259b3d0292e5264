#pragma once
// The connection to our media runtime, a loadable module found in the program folder, then in
// the system library folder (never in the current folder), that exports one table of entries.
// The start-up connects once (qtLoadLibrary) and releases at exit (qtFreeLibrary); while no
// connection stands, every runtime call of QtRuntime.h answers kQtErrNotAvailable and does
// nothing, so the program runs without the runtime and each picture call fails quietly.
// User-interface thread; qtConnect serialises with itself.
#include <memory>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "platform/media/runtime/MediaRuntimeTable.h"
#include "platform/modules/LoadableModule.h"

constexpr i16 kQtErrLibraryNotFound = -2093;
constexpr i16 kQtErrMissingEntry = -2094;
constexpr i16 kQtErrNotAvailable = -2095;
// The flags the start-up hands to the runtime's own initialisation.
constexpr u32 kQtConnectFlags = 2;

// The start-up's own reference to the runtime; null when the connection failed.
using QtLibrary = std::unique_ptr<plat::LoadableModule>;

// Also lets the graphics engine expand JPEG picture blocks through the runtime.
QtLibrary qtLoadLibrary();
// Releases the start-up's reference and ends the connection: the released runtime's entries
// are not called again, by the engine's JPEG expansion either.
void qtFreeLibrary(QtLibrary library);

// 0 when connected (again: only the count grows); kQtErrLibraryNotFound, kQtErrMissingEntry or
// the runtime's own initialisation result otherwise, with nothing held.
i16 qtConnect(u32 flags);
bool qtConnected();

// The runtime library looked for in the search folders, in order; null when none loads.
std::unique_ptr<plat::LoadableModule> qtFindLibrary(const std::string& name);
// The search folders: the program's folder and the system library folder unless replaced
// (tests point them at a folder of their own; an empty list restores the default).
void qtSetSearchFolders(std::vector<std::string> folders);
std::vector<std::string> qtSearchFolders();

// The connected runtime's table, or null.
const plat::media::MediaRuntimeTable* qtRuntime();
// Connects to a runtime linked into the program itself (the fuzz targets), without a module.
i16 qtConnectTable(const plat::media::MediaRuntimeTable* table, u32 flags);
