#pragma once
// The hot spots' cursors: a table of kCursorTableSize cursors made from the 'CURS' resources
// kCursorResourceFirst.. of the open archives, and the standard cursors after it.
// User-interface thread only.
#include "engine/base/EngineTypes.h"
#include "platform/cursor/Cursors.h"

namespace Ostrel {

constexpr FourCC kCursorResourceType = fourCC("CURS");
constexpr u16 kCursorResourceFirst = 128;

// Makes the table's cursors from the open archives, replacing an earlier table; an entry
// whose resource is missing or damaged stays empty and shows the arrow. Returns how many
// entries were made.
int loadCursorTable();
void releaseCursorTable();
// The cursor of an index (HSInfo.h); kNoCursor for an index that names none.
plat::cursor::CursorId cursorForIndex(u16 index);

}  // namespace Ostrel
