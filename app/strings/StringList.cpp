#include "app/strings/StringList.h"

#include <algorithm>
#include <cstring>

#include "framework/resources/mfxReadResource.h"

namespace Ostrel {

u16 StringList::Load(u16 id) {
    Release();
    id_ = id;
    std::vector<u8> data;
    if (mfxReadResource(kStringListType, id, &data) != kErrNone || data.empty()) return 1;
    const size_t count = data[0];
    size_t at = 1;
    while (strings_.size() < count && at < data.size()) {
        const void* end = std::memchr(data.data() + at, 0, data.size() - at);
        if (!end) break;
        const size_t length = size_t(static_cast<const u8*>(end) - (data.data() + at));
        strings_.emplace_back(reinterpret_cast<const char*>(data.data() + at), length);
        at += length + 1;
    }
    return 0;
}

void StringList::Release() {
    strings_.clear();
}

std::optional<std::string> StringList::CopyString(u16 index) const {
    if (index >= strings_.size()) return std::nullopt;
    return strings_[index];
}

u16 StringList::FindString(const char* text) const {
    if (!text) return 0;
    const auto found = std::find(strings_.begin(), strings_.end(), text);
    return found == strings_.end() ? 0 : u16(found - strings_.begin() + 1);
}

}  // namespace Ostrel
