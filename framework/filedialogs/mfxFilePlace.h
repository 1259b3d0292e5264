#pragma once
// The places a file dialog names in words a child reads ("Mia's Pictures") instead of the
// folder's engine text ("C:\home\...\Users\Mia\Pictures").
#include <string>
#include <vector>

struct mfxFilePlace {
    std::string folder;  // full engine text, no trailing separator
    std::string name;    // what the dialog shows for it
};

// The name shown for a folder: the innermost place holding it, followed by the folders below
// that place (" > " between them); a folder in no place shows by its own name.
std::string mfxFolderShownName(const std::string& folder, const std::vector<mfxFilePlace>& places);
