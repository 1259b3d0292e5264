#pragma once
// INI files as the engine reads them: "[Section]" headers and "key=value" lines, every line
// ended by CR LF (a lone LF does not end a line for the engine). Sections and keys keep the
// order they are given in; booleans are written "TRUE" and "FALSE".
#include <string>

#include <nlohmann/json.hpp>

// `sections`: { "Section": { "key": value, ... }, ... } with string, number or boolean values.
// Throws std::invalid_argument for any other value, or a key or value that holds a line end.
std::string writeIniText(const nlohmann::ordered_json& sections);
