#pragma once
// Error codes of the document's stored formats (band 113xx). Each names the check that
// refused the bytes, so a damaged file is reported as what is wrong with it.
#include "engine/base/EngineTypes.h"

constexpr EngineErr kDocErrTruncated = 11300;      // fewer bytes than the fields announce
constexpr EngineErr kDocErrTrailing = 11301;       // bytes after the last field
constexpr EngineErr kDocErrVersion = 11302;        // a version word this program does not read
constexpr EngineErr kDocErrBadRect = 11303;        // right before left or bottom above top
constexpr EngineErr kDocErrDuplicate = 11304;      // two entries with the same key
constexpr EngineErr kDocErrBadOrder = 11305;       // drawing orders that are not 0..count-1
constexpr EngineErr kDocErrBadType = 11306;        // a kind code this program does not know
constexpr EngineErr kDocErrTooMany = 11307;        // more entries than the format allows
constexpr EngineErr kDocErrBadId = 11308;          // an id at or past the next id to give
constexpr EngineErr kDocErrBadSize = 11309;        // picture dimensions that do not fit
