#pragma once
// The language files and the program's string resources hold Windows-1252 bytes; the
// manifests are written in UTF-8. A character the code page cannot hold is refused, so
// that no text silently loses a letter.
#include <optional>
#include <string>

std::optional<std::string> utf8ToCp1252(const std::string& utf8);
