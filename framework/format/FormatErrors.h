#pragma once
// Error codes of the framework's stored formats (band 112xx): the menu, dialog-template, string
// and button-set resources. Each names the check that refused the bytes.
#include "engine/base/EngineTypes.h"

constexpr EngineErr kFmtErrTruncated = 11200;     // a field reaches past the end of the bytes
constexpr EngineErr kFmtErrVersion = 11201;       // the leading version word is not one we read
constexpr EngineErr kFmtErrTooMany = 11202;       // a count is above its limit
constexpr EngineErr kFmtErrTextTooLong = 11203;   // a text or key is longer than its limit
constexpr EngineErr kFmtErrBadKind = 11204;       // an item kind we do not know
constexpr EngineErr kFmtErrTooDeep = 11205;       // submenus nested deeper than allowed
constexpr EngineErr kFmtErrTrailingBytes = 11206; // bytes left over after the last field
constexpr EngineErr kFmtErrBadRect = 11207;       // a rectangle outside its dialog or reversed
constexpr EngineErr kFmtErrCountPastEnd = 11208;  // a count of fixed-size records reaches past the bytes
constexpr EngineErr kFmtErrBadFlags = 11209;      // flag bits we do not know
constexpr EngineErr kFmtErrBadRegion = 11210;     // a region id missing, or given to a kind without region
