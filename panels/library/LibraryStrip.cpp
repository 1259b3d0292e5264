#include "panels/library/LibraryStrip.h"

#include "panels/library/LibraryPanelCommands.h"

namespace Ostrel {

void LibraryStrip::CellDragged(int item, Point16 point) {
    if (GetOwner() != nullptr) PostMessageTo(GetOwner(), kMsgLibraryItemDropped, PackDropPoint(point), u16(item));
}

uintptr_t PackDropPoint(Point16 point) { return uintptr_t(u16(point.h)) | (uintptr_t(u16(point.v)) << 16); }

Point16 UnpackDropPoint(uintptr_t packed) { return {i16(u16(packed & 0xFFFF)), i16(u16((packed >> 16) & 0xFFFF))}; }

}  // namespace Ostrel
