#pragma once
// The picker's record of one slide or project on the move: what a cut, copy, delete or drag
// took (kind, where from, the page's name, file and settings, so that a paste makes the same
// slide again) and where a paste or a move puts it. The picker owns the
// one it keeps as its clipboard; the cut page's file is never deleted while it is held.
#include <string>

#include "document/pages/PageSettings.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum PageThumbKind : u16 {
    kThumbCopy = 4,
    kThumbMove = 5,
    kThumbCut = 6,
    kThumbPlace = 11,
};

struct PageThumbEntry {
    u16 kind = 0;
    u16 source = 0;
    int sourceCell = -1;
    // The page's name in the project's entry (a project's name for a project of the list).
    std::string sourceName;
    // The page's file (its engine text) and its settings.
    std::string sourcePath;
    PageSettings settings;
    int destinationCell = -1;
    // Taken by a cut: a paste makes the page again from its file.
    bool cut = false;
};

}  // namespace Ostrel
