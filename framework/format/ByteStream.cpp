#include "framework/format/ByteStream.h"

#include "engine/base/ByteOrder.h"
#include "framework/format/FormatErrors.h"

u16 ByteIn::u16be() {
    if (!ok() || bytes_.size() - offset_ < 2) {
        fail(kFmtErrTruncated);
        return 0;
    }
    const u16 value = readBE16(bytes_.data() + offset_);
    offset_ += 2;
    return value;
}

u32 ByteIn::u32be() {
    if (!ok() || bytes_.size() - offset_ < 4) {
        fail(kFmtErrTruncated);
        return 0;
    }
    const u32 value = readBE32(bytes_.data() + offset_);
    offset_ += 4;
    return value;
}

std::string ByteIn::text(size_t maxLength) {
    const u16 length = u16be();
    if (!ok()) return {};
    if (length > maxLength) {
        fail(kFmtErrTextTooLong);
        return {};
    }
    if (bytes_.size() - offset_ < length) {
        fail(kFmtErrTruncated);
        return {};
    }
    std::string value(reinterpret_cast<const char*>(bytes_.data() + offset_), length);
    offset_ += length;
    return value;
}

void ByteOut::u16be(u16 value) {
    const size_t at = bytes_.size();
    bytes_.resize(at + 2);
    writeBE16(bytes_.data() + at, value);
}

void ByteOut::u32be(u32 value) {
    const size_t at = bytes_.size();
    bytes_.resize(at + 4);
    writeBE32(bytes_.data() + at, value);
}

void ByteOut::text(const std::string& value) {
    u16be(u16(value.size()));
    bytes_.insert(bytes_.end(), value.begin(), value.end());
}
