#pragma once
// A project's library exclusions ('tLIB'): the keys ("<kind in hex>#<name>") of library
// entries the page's project hides. Big-endian:
//
//   u16 version (1)   u16 key count (at most kExclusionsMax)
//   per key: u16 length (1 .. kExclusionKeyMax)   the key's bytes
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kExclusionsVersion = 1;
constexpr u16 kExclusionsMax = 4000;
constexpr u16 kExclusionKeyMax = 300;

EngineErr parseExclusionsRecord(std::span<const u8> bytes, std::vector<std::string>* keys);
EngineErr writeExclusionsRecord(const std::vector<std::string>& keys, std::vector<u8>* bytes);
