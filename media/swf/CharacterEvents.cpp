#include "media/swf/CharacterEvents.h"

namespace swf {

namespace {
DrawingUnneededHook gUnneeded = nullptr;
PaintsChangedHook gPaintsChanged = nullptr;
}  // namespace

void SetCharacterHooks(DrawingUnneededHook unneeded, PaintsChangedHook paintsChanged) {
    gUnneeded = unneeded;
    gPaintsChanged = paintsChanged;
}

void NotifyDrawingUnneeded(const tagObject& character) {
    if (gUnneeded) gUnneeded(character);
}

void NotifyPaintsChanged(const document& owner) {
    if (gPaintsChanged) gPaintsChanged(owner);
}

}  // namespace swf
