#include "framework/format/StringFormat.h"

#include "framework/format/ByteStream.h"
#include "framework/format/FormatErrors.h"

EngineErr parseStringResource(std::span<const u8> bytes, std::string* out) {
    ByteIn in(bytes);
    const u16 version = in.u16be();
    if (in.ok() && version != kStringFormatVersion) return kFmtErrVersion;
    std::string text = in.text(kMaxStringResourceLength);
    if (!in.ok()) return in.error();
    if (!in.atEnd()) return kFmtErrTrailingBytes;
    *out = std::move(text);
    return kErrNone;
}

EngineErr writeStringResource(const std::string& text, std::vector<u8>* out) {
    if (text.size() > kMaxStringResourceLength) return kFmtErrTextTooLong;
    ByteOut bytes;
    bytes.u16be(kStringFormatVersion);
    bytes.text(text);
    *out = std::move(bytes.bytes());
    return kErrNone;
}
