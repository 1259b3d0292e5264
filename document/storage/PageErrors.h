#pragma once
// Errors of saving and loading pages (band 113xx, after the stored formats' own).
#include "engine/base/EngineTypes.h"

constexpr EngineErr kDocErrCancelled = 11330;     // the save was stopped by its caller
constexpr EngineErr kDocErrNoIndex = 11331;       // the archive holds no page index
constexpr EngineErr kDocErrMissingMedia = 11332;  // the index names an object whose media is absent
constexpr EngineErr kDocErrPageFull = 11333;      // no room for another object, or its id is taken
constexpr EngineErr kDocErrNotOnPage = 11334;        // the object belongs to another page, or to none
constexpr EngineErr kDocErrNoVectorRenderer = 11335;  // no vector painter is installed
constexpr EngineErr kDocErrNotReadable = 11336;       // an imported file its reader cannot make into media
