#include "app/strings/StringList.h"

#include <algorithm>

#include "app/strings/format/StringListFormat.h"
#include "framework/resources/mfxReadResource.h"

namespace Ostrel {

u16 StringList::Load(u16 id) {
    Release();
    id_ = id;
    std::vector<u8> data;
    if (mfxReadResource(kStringListType, id, &data) != kErrNone || data.empty()) return 1;
    strings_ = parseStringList(data);
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
