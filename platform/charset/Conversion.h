#pragma once
// Conversion of the program's cp1252 text at the platform boundary: UTF-8 for file names,
// window titles and fonts, UTF-16 for the wide texts the engine takes in.
// A character with no cp1252 form becomes '?', one '?' per UTF-16 unit or per UTF-8
// sequence (a malformed UTF-8 byte counts as a sequence of its own). Any thread may call.
#include <string>
#include <string_view>

namespace plat {

std::u16string cp1252ToUtf16(std::string_view text);
std::string utf16ToCp1252(std::u16string_view text);
std::string cp1252ToUtf8(std::string_view text);
std::string utf8ToCp1252(std::string_view text);
// Text the user typed: a character with no cp1252 form and a malformed byte are left out
// rather than typed as '?'.
std::string typedUtf8ToCp1252(std::string_view text);

}  // namespace plat
