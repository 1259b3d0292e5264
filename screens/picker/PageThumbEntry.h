#pragma once
// The picker's record of one slide or project on the move: what a cut, copy, delete or drag
// took (kind, where from, the page's name and file, and for a cut the page's settings, so that
// a paste makes the same slide again) and where a paste or a move puts it. The picker owns the
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
    const void* owner = nullptr;
    u16 kind = 0;
    u16 source = 0;
    int sourceCell = -1;
    std::string sourceName;
    // The page's file (its engine text), its name in the project's entry and its settings.
    std::string sourcePath;
    std::string sourceFileName;
    PageSettings settings;
    u16 destinationKind = 0;
    int destinationCell = -1;
    std::string destinationName;
    std::string destinationPath;
    int firstVisible = 0;
    // Taken by a cut: a paste makes the page again from its file.
    bool cut = false;
};

}  // namespace Ostrel
