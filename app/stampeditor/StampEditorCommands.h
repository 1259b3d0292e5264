#pragma once
// The stamp editor's commands: its buttons (set 14000 of the "StampEditor" art) post 19000-19008,
// and it posts itself the clicks in its grid and palette and the end of its erase animation.
// When it closes it tells its stamp panel with kMsgStampEditorClosed.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum StampEditorCommand : u32 {
    kStampEdPencil = 19000,
    kStampEdFill = 19001,
    kStampEdUndo = 19002,
    kStampEdEraseAll = 19003,
    kStampEdFlip = 19004,
    kStampEdRotate = 19005,
    kStampEdRevert = 19006,
    // Done without keeping the changes.
    kStampEdCancel = 19007,
    kStampEdDone = 19008,
    kStampEdPalettePick = 19009,
    kStampEdGridClick = 19010,
    kStampEdEraseEnd = 19011,
};

// To the stamp panel: the editor is done and may be deleted.
constexpr u32 kMsgStampEditorClosed = 8000;

}  // namespace Ostrel
