#pragma once
// How far a file dialog reaches: the folders it shows, enters and takes files from. Each rule
// names a folder with everything below it, let in or kept out; the innermost rule holding a
// folder decides, so that a folder kept out may hold one let in again (the users' folder holding
// the child's own, beside the other children's). A folder that no rule holds is kept out; without
// any rule every folder is in reach.
//
// Folders are compared as the host names them, case and all: on Linux "Ana" and "ana" are two
// children's folders.
#include <string>
#include <vector>

struct mfxFileReach {
    std::string folder;  // full engine text, no trailing separator
    bool shown = true;
};

bool mfxReaches(const std::vector<mfxFileReach>& reach, const std::string& folder);
