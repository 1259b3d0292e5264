#pragma once
// The program's own clipboard formats. The desktop's clipboard carries only text, so the data
// of a registered format stays in the process beside the text it was placed with, and counts
// as present only while the desktop still holds that text: once another program copies
// something, our formats are gone.
// Text is cp1252, as everywhere inside the program. User-interface thread only.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

using ClipboardFormat = uint32_t;

// The same name always gives the same format; formats are never 0.
ClipboardFormat registerClipboardFormat(std::string_view name);
// Empties the clipboard, puts the text on the desktop's clipboard and keeps `data` under the
// format beside it. False when the desktop refused the text; the formats are empty then.
bool placeClipboardText(const std::string& text, ClipboardFormat format, std::string data);
// The data kept under the format while the desktop still holds the text it came with.
std::optional<std::string> clipboardFormatData(ClipboardFormat format);

}  // namespace plat
