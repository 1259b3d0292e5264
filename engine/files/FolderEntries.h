#pragma once
// The entries of one folder, read whole before any is changed, so a walk that deletes or
// copies never works on a search it is changing, and a file dialog lists a folder without
// making it the current one. Texts are full system texts ("X:\folder").
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

struct FolderEntry {
    std::string name;
    u32 attributes = 0;
    bool isFolder() const;
    bool isHidden() const;
    // A pipe, a socket or a device: no file to open, and one whose opening might wait.
    bool isDevice() const;
    // A host link: never followed, as it may lead out of the tree or above itself.
    bool isLink() const;
};

// The folder's entries without "." and "..". 0, or the engine code of the failure.
EngineErr listFolderEntries(const std::string& folder, std::vector<FolderEntry>* entries);
// The attributes of the entry itself (not of what a link leads to). 0, or kOsErrNotFound.
EngineErr readEntryAttributes(const std::string& text, u32* attributes);
// `folder` + "\" + `name`, or an empty text when it would pass the path length limit.
std::string childText(const std::string& folder, const std::string& name);
