#include "document/storage/ExclusionsRecord.h"

#include "document/storage/ByteWriter.h"
#include "document/storage/StorageErrors.h"

EngineErr parseExclusionsRecord(std::span<const u8> bytes, std::vector<std::string>* keys) {
    ByteReader in(bytes);
    const u16 version = in.u16be();
    const u16 count = in.u16be();
    if (!in.ok()) return kDocErrTruncated;
    if (version != kExclusionsVersion) return kDocErrVersion;
    if (count > kExclusionsMax) return kDocErrTooMany;
    std::vector<std::string> read;
    for (u16 i = 0; i < count; ++i) {
        const u16 length = in.u16be();
        auto key = in.bytes(length);
        if (!in.ok()) return kDocErrTruncated;
        if (length == 0 || length > kExclusionKeyMax) return kDocErrBadSize;
        read.emplace_back(key.begin(), key.end());
    }
    if (in.left() != 0) return kDocErrTrailing;
    *keys = std::move(read);
    return kErrNone;
}

EngineErr writeExclusionsRecord(const std::vector<std::string>& keys, std::vector<u8>* bytes) {
    if (keys.size() > kExclusionsMax) return kDocErrTooMany;
    for (const std::string& key : keys)
        if (key.empty() || key.size() > kExclusionKeyMax) return kDocErrBadSize;
    ByteWriter out(bytes);
    out.u16be(kExclusionsVersion);
    out.u16be(u16(keys.size()));
    for (const std::string& key : keys) {
        out.u16be(u16(key.size()));
        out.bytes({reinterpret_cast<const u8*>(key.data()), key.size()});
    }
    return kErrNone;
}
