#include "engine/files/FolderEntries.h"

#include "engine/base/TextUtils.h"
#include "engine/files/OsRequests.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"

bool FolderEntry::isFolder() const { return (attributes & plat::kFileAttrDirectory) != 0; }
bool FolderEntry::isHidden() const { return (attributes & plat::kFileAttrHidden) != 0; }
bool FolderEntry::isDevice() const { return (attributes & plat::kFileAttrDevice) != 0; }
bool FolderEntry::isLink() const { return (attributes & plat::kFileAttrReparsePoint) != 0; }

EngineErr listFolderEntries(const std::string& folder, std::vector<FolderEntry>* entries) {
    entries->clear();
    const std::string pattern = childText(folder, "*.*");
    if (pattern.empty()) return kOsErrBadPath;
    asyncFindFirstFile first(pattern);
    if (const EngineErr error = osRunRequest(first, folder.c_str())) {
        const bool empty = first.systemError == plat::kSysFileNotFound || first.systemError == plat::kSysNoMoreFiles;
        return empty ? kErrNone : error;
    }
    plat::FindData data = first.data;
    EngineErr result = kErrNone;
    for (;;) {
        if (data.name != "." && data.name != "..") entries->push_back({data.name, data.attributes});
        asyncFindNextFile next(first.find);
        if (const EngineErr error = osRunRequest(next, folder.c_str())) {
            if (next.systemError != plat::kSysNoMoreFiles) result = error;
            break;
        }
        data = next.data;
    }
    plat::findClose(first.find);
    return result;
}

EngineErr readEntryAttributes(const std::string& text, u32* attributes) {
    const size_t cut = text.rfind('\\');
    if (cut == std::string::npos || cut + 1 == text.size()) {
        *attributes = plat::kFileAttrDirectory;  // a drive root
        return kErrNone;
    }
    std::vector<FolderEntry> entries;
    if (const EngineErr error = listFolderEntries(text.substr(0, cut == 2 ? 3 : cut), &entries)) return error;
    const std::string name = text.substr(cut + 1);
    // The host keeps names apart that differ only in case: the one written so wins, as the
    // text opens that one.
    const FolderEntry* found = nullptr;
    for (const FolderEntry& entry : entries) {
        if (entry.name == name) {
            found = &entry;
            break;
        }
    }
    for (const FolderEntry& entry : entries) {
        if (!found && entry.name.size() == name.size() && strCompareNoCase(entry.name.c_str(), name.c_str()) == 0) {
            found = &entry;
        }
    }
    if (!found) return kOsErrNotFound;
    *attributes = found->attributes;
    return kErrNone;
}

std::string childText(const std::string& folder, const std::string& name) {
    std::string text = folder;
    if (text.empty() || text.back() != '\\') text += '\\';
    text += name;
    return text.size() > kMaxPathText + 3 ? std::string() : text;
}
