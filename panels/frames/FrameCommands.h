#pragma once
// What the frame maker answers: the object commands of the panels and the canvas.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// A click on an object's hot spot: parameter 1 the object's record (RObjectFrame), which is chosen.
constexpr u32 kMsgSelectObjectFrame = 1248;
// Parameter 1 the page object; parameter 2 whether the new frame is selected.
constexpr u32 kMsgAddObjectFrame = 1250;
// Parameter 1 the page object.
constexpr u32 kMsgRemoveObjectFrame = 1251;
constexpr u32 kMsgDeleteObject = 1253;
constexpr u32 kMsgCopyObject = 1254;
// Parameter 1 a clipboard copy (PageClip); 0 takes the clipboard's last page object.
constexpr u32 kMsgPasteObject = 1255;
// Parameter 1 the kind: merge the selected object, or every object of the kind, into the picture.
constexpr u32 kMsgFlattenOne = 1600;
constexpr u32 kMsgFlattenAll = 1601;

}  // namespace Ostrel
