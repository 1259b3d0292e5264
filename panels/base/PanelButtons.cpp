#include "panels/base/PanelButtons.h"

#include <algorithm>

#include "framework/input/RHotSpotItem.h"

namespace Ostrel {
namespace {

void releaseGroup(const RButtonSet& set, u16 group, uintptr_t kept) {
    if (group == 0) return;
    for (const auto& button : set) {
        RHotSpotItem* item = button->GetHotSpot();
        if (item == nullptr || item->GetGroup() != group || reinterpret_cast<uintptr_t>(item) == kept) continue;
        if (button->GetState() != kButtonUp) button->HandleEvent(kHsEventReset, true);
    }
}

}  // namespace

void SelectPanelButton(const RButtonSet& set, int index) {
    if (index < 0 || size_t(index) >= set.size()) return;
    RButton& chosen = *set[size_t(index)];
    chosen.HandleEvent(kHsEventSelect, true);
    if (RHotSpotItem* item = chosen.GetHotSpot()) releaseGroup(set, item->GetGroup(), reinterpret_cast<uintptr_t>(item));
}

void ReleaseOthersOfGroup(std::initializer_list<const RButtonSet*> sets, u16 group, uintptr_t item) {
    for (const RButtonSet* set : sets) {
        const bool holds = std::any_of(set->begin(), set->end(), [item](const auto& button) {
            return reinterpret_cast<uintptr_t>(button->GetHotSpot()) == item;
        });
        if (holds) releaseGroup(*set, group, item);
    }
}

}  // namespace Ostrel
