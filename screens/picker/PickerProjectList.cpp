#include "screens/picker/PickerProjectList.h"

#include <cstring>

#include "engine/gfx/GfxDraw.h"

namespace Ostrel {

void PickerProjectList::SortByName() {
    Sort([](const std::string& a, const std::string& b) { return std::strcmp(a.c_str(), b.c_str()) < 0; });
}

void PickerProjectList::DrawCell(int item, const Rect16& cell, bool selected) {
    gfxFillRect(cell, selected ? GfxColor::rgb(255, 214, 10) : GfxColor::rgb(255, 253, 245), 0);
    RBBitmapScroller::DrawCell(item, cell, selected);
}

}  // namespace Ostrel
