#pragma once
// Finding a device's entry in a settings section. An entry names a device, whole or (in
// single quotes) by a prefix, optionally followed by a driver version condition
// ";major.minor" with "+" (this version or later) or "-" (this version or earlier); a
// double-quoted name must match whole. Everything is parsed by hand within the entry.
#include <string>
#include <string_view>
#include <vector>

#include "engine/base/EngineTypes.h"

// Whether the entry names the device at this driver version (major << 8 | minor); a version
// of 0 or an entry without a condition matches any version.
bool audioDeviceEntryMatches(std::string_view entry, std::string_view deviceName, u16 version);

// The first matching entry among `entries`, copied to `out` (NUL-terminated) when it fits
// in `size` bytes: 0, 10606 when it does not fit, 10604 when none matches.
EngineErr audioFindDeviceEntry(const std::vector<std::string>& entries, char* out, u16 size, std::string_view deviceName,
                               u16 version);

// A whole decimal number in 0..max; false for anything else (signs, spaces, other text).
bool audioParseDeviceNumber(std::string_view text, u32 max, u32* value);
