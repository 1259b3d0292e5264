#include "document/objects/RLibExclusionsObject.h"

#include <algorithm>
#include <cstdio>

#include "document/storage/ExclusionsRecord.h"
#include "document/storage/ObjectTypes.h"
#include "engine/base/TextUtils.h"

namespace Ostrel {

namespace {

std::string keyOf(FourCC type, const std::string& name) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%x#", unsigned(type));
    return prefix + name;
}

std::string prefixOf(FourCC type) { return keyOf(type, ""); }

bool sameKey(const std::string& a, const std::string& b) { return strCompareNoCase(a.c_str(), b.c_str()) == 0; }

}  // namespace

RLibExclusionsObject::RLibExclusionsObject(u16 id) : RPageObject(kTypeExclusions, id) {}

EngineErr RLibExclusionsObject::LoadMedia(std::span<const u8> bytes) { return parseExclusionsRecord(bytes, &keys_); }

EngineErr RLibExclusionsObject::StoreMedia(std::vector<u8>* bytes) const { return writeExclusionsRecord(keys_, bytes); }

bool RLibExclusionsObject::IsExcluded(FourCC type, const std::string& name) const {
    const std::string key = keyOf(type, name);
    return std::any_of(keys_.begin(), keys_.end(), [&](const std::string& k) { return sameKey(k, key); });
}

void RLibExclusionsObject::Add(FourCC type, const std::string& name) {
    if (!IsExcluded(type, name)) keys_.push_back(keyOf(type, name));
}

void RLibExclusionsObject::Remove(FourCC type, const std::string& name) {
    const std::string key = keyOf(type, name);
    std::erase_if(keys_, [&](const std::string& k) { return sameKey(k, key); });
}

void RLibExclusionsObject::RemoveAllOfType(FourCC type) {
    const std::string prefix = prefixOf(type);
    std::erase_if(keys_, [&](const std::string& k) {
        return k.size() >= prefix.size() && sameKey(k.substr(0, prefix.size()), prefix);
    });
}

}  // namespace Ostrel
