#pragma once
// The string resource 'tSTR': one text of the program, looked up by its resource id.
// Big-endian fields, in this order:
//
//   u16 version (1)
//   u16 length (at most kMaxStringResourceLength)
//   the text's cp1252 bytes, without terminator
//
// Pure functions over byte buffers; callable from any thread.
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kStringFormatVersion = 1;
constexpr size_t kMaxStringResourceLength = 256;

EngineErr parseStringResource(std::span<const u8> bytes, std::string* out);
// Refuses a text longer than the reader takes, writing nothing.
EngineErr writeStringResource(const std::string& text, std::vector<u8>* out);
