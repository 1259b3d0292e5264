#pragma once
// Radio groups of a panel's button sets: choosing one button of a group (by a click or as a
// remembered choice comes back) leaves it selected and the other buttons of its group in the
// same set up. Sets loaded side by side may reuse a group number without touching each other.
// User-interface thread only.
#include <initializer_list>

#include "framework/controls/LoadButtonsFromKVR.h"

namespace Ostrel {

// Marks button `index` of `set` selected and releases the others of its group in that set;
// nothing for an index outside the set.
void SelectPanelButton(const RButtonSet& set, int index);
// A button said it became selected (kMsgButtonSelected: its hot-spot item, its group): the
// set among `sets` that holds it releases the group's other buttons.
void ReleaseOthersOfGroup(std::initializer_list<const RButtonSet*> sets, u16 group, uintptr_t item);

}  // namespace Ostrel
