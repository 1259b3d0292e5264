#include "media/swf/CharacterEvents.h"

namespace swf {

namespace {
CharacterGoneHook gGone = nullptr;
PaintsChangedHook gPaintsChanged = nullptr;
}  // namespace

void SetCharacterHooks(CharacterGoneHook gone, PaintsChangedHook paintsChanged) {
    gGone = gone;
    gPaintsChanged = paintsChanged;
}

void NotifyCharacterGone(const tagObject& character) {
    if (gGone) gGone(character);
}

void NotifyPaintsChanged(const document& owner) {
    if (gPaintsChanged) gPaintsChanged(owner);
}

}  // namespace swf
