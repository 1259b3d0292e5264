#pragma once
// Error codes of the resource manager (band 104xx). Memory (101xx) and file (103xx) errors
// are passed through unchanged; out of memory is reported as kResErrOutOfMemory.
#include "engine/base/EngineTypes.h"

constexpr EngineErr kResErrOutOfMemory = 2;
constexpr EngineErr kResErrBeyondEnd = 10400;
constexpr EngineErr kResErrDuplicate = 10401;
constexpr EngineErr kResErrProtected = 10402;
constexpr EngineErr kResErrNotFound = 10403;
constexpr EngineErr kResErrNotResourceFile = 10404;
constexpr EngineErr kResErrFixed = 10406;
constexpr EngineErr kResErrReadOnly = 10407;
constexpr EngineErr kResErrTooLarge = 10408;
// Two live resources' data, or a resource's data and the tables, share bytes: a write to one
// would change the other.
constexpr EngineErr kResErrOverlappingData = 10409;
constexpr EngineErr kResErrSizeOrIndex = 10450;
constexpr EngineErr kResErrHandleOwned = 10451;
constexpr EngineErr kResErrBadMap = 10452;
constexpr EngineErr kResErrBadReference = 10453;
constexpr EngineErr kResErrLocked = 10454;
constexpr EngineErr kResErrNotLocked = 10455;
