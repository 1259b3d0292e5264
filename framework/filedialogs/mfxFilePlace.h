#pragma once
// The places a file dialog names in words a child reads ("Mia's Pictures") instead of the
// folder's engine text ("C:\home\...\Users\Mia\Pictures"), and the folders it shows by a word of
// the child's language ("Dibujos") rather than by their names on disk, which stay as they are.
#include <string>
#include <vector>

struct mfxFilePlace {
    std::string folder;  // full engine text, no trailing separator
    std::string name;    // what the dialog shows for it as the folder it is in; empty: not a place
    std::string word{};  // what it shows for it listed in its parent or named below a place;
                         // empty: its name on disk
};

// The name shown for a folder: the innermost place holding it, followed by the folders below
// that place (" > " between them, each by its word); a folder in no place shows by its own name.
std::string mfxFolderShownName(const std::string& folder, const std::vector<mfxFilePlace>& places);
// The word a folder is shown by: its place's word when it has one, else its name on disk.
std::string mfxFolderWord(const std::string& folder, const std::vector<mfxFilePlace>& places);
