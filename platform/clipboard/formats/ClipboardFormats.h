#pragma once
// The program's own clipboard formats, registered by name. Their data stays in the process
// beside the text or picture it was placed with, and counts as present only while that is still
// the desktop's clipboard: once another program copies something, our formats are gone.
// Text is cp1252, as everywhere inside the program. User-interface thread only.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/media/PictureImage.h"

namespace plat {

using ClipboardFormat = uint32_t;

// The same name always gives the same format; formats are never 0.
ClipboardFormat registerClipboardFormat(std::string_view name);
// Empties the clipboard, puts the text on the desktop's clipboard and keeps `data` under the
// format beside it. False when the desktop refused the text; the formats are empty then.
bool placeClipboardText(const std::string& text, ClipboardFormat format, std::string data);
// The same with a picture, which other programs paste as an opaque PNG picture.
bool placeClipboardPicture(const media::PictureImage& picture, ClipboardFormat format, std::string data);
// Empties the clipboard and keeps only `data` under the format: other programs paste nothing
// from it. For what only this program can paste (its page objects).
bool placeClipboardFormat(ClipboardFormat format, std::string data);
// The data kept under the format while the desktop still holds what it came with.
std::optional<std::string> clipboardFormatData(ClipboardFormat format);

}  // namespace plat
