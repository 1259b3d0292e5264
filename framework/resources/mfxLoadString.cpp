#include "framework/resources/mfxLoadString.h"

#include "framework/format/StringFormat.h"
#include "framework/resources/mfxReadResource.h"

namespace {
constexpr FourCC kStringType = fourCC("tSTR");
}

std::string mfxLoadString(u32 number) {
    std::vector<u8> bytes;
    std::string text;
    if (number > 0xFFFF || mfxReadResource(kStringType, u16(number), &bytes) != kErrNone ||
        parseStringResource(bytes, &text) != kErrNone)
        return {};
    return text;
}
