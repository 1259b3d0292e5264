#pragma once
// What an offer on the program's clipboard gives another program for each kind of data
// ("target") it may ask an X server's clipboard for, and how text given by another program
// becomes the program's cp1252. Independent of the X connection.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard/Clipboard.h"

namespace plat {

struct SelectionData {
    // The name of the data's type as the reply states it.
    std::string type;
    std::vector<uint8_t> bytes;
};

// The targets the offer answers, best first; TARGETS and TIMESTAMP come on top of these.
std::vector<std::string> offeredTargets(const ClipboardOffer& offer);
// Nothing when the offer has no data for the target.
std::optional<SelectionData> selectionData(const ClipboardOffer& offer, std::string_view target);
// The target asked for first when the program pastes another program's text, and the one asked
// for when the first is refused; an empty name ends the asking.
std::string_view nextTextTarget(std::string_view refused);
// The same for another program's picture: PNG alone, which every desktop program offers.
std::string_view nextPictureTarget(std::string_view refused);
// Whether bytes received under the type are a PNG file.
bool isPictureType(std::string_view type);
// Text received under the given type; Latin-1 for STRING, UTF-8 for every other.
std::string receivedText(std::string_view type, const std::vector<uint8_t>& bytes);

}  // namespace plat
