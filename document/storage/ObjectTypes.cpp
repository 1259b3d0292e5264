#include "document/storage/ObjectTypes.h"

#include <initializer_list>

bool isPageObjectType(FourCC type) {
    for (FourCC kind : {kTypeBitmap, kTypeMovableBitmap, kTypeFlash, kTypeFlashAnimation, kTypeText, kTypeSound,
                        kTypeMovie, kTypeNote, kTypeExclusions})
        if (kind == type) return true;
    return false;
}
