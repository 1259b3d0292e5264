#include "document/clipboard/ClipList.h"

#include <algorithm>

#include "document/storage/ObjectTypes.h"

namespace Ostrel {

void ClipList::Add(std::unique_ptr<Clip> clip) {
    std::erase_if(clips_, [&](const auto& c) { return c->Type() == clip->Type() && c->Id() == clip->Id(); });
    clips_.push_back(std::move(clip));
}

void ClipList::DeleteAllButBitmaps() {
    std::erase_if(clips_, [](const auto& c) { return c->Type() != kTypeBitmap; });
}

Clip* ClipList::FindLastOfTypes(std::initializer_list<FourCC> types) const {
    for (auto it = clips_.rbegin(); it != clips_.rend(); ++it)
        if (std::find(types.begin(), types.end(), (*it)->Type()) != types.end()) return it->get();
    return nullptr;
}

}  // namespace Ostrel
