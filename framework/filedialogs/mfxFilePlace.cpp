#include "framework/filedialogs/mfxFilePlace.h"

#include "engine/base/TextUtils.h"

namespace {

constexpr const char* kBetweenFolders = " > ";

// Whether `folder` is `place` or lies below it, without regard to case as engine texts go.
bool holds(const std::string& place, const std::string& folder) {
    if (strCompareNoCase(folder.substr(0, place.size()).c_str(), place.c_str()) != 0) return false;
    return folder.size() == place.size() || folder[place.size()] == '\\';
}

std::string withArrows(std::string path) {
    std::string shown;
    size_t from = 0;
    while (from <= path.size()) {
        const size_t cut = path.find('\\', from);
        const std::string part = path.substr(from, cut == std::string::npos ? std::string::npos : cut - from);
        if (!part.empty()) shown += (shown.empty() ? "" : kBetweenFolders) + part;
        if (cut == std::string::npos) break;
        from = cut + 1;
    }
    return shown;
}

}  // namespace

std::string mfxFolderShownName(const std::string& folder, const std::vector<mfxFilePlace>& places) {
    const mfxFilePlace* inner = nullptr;
    for (const mfxFilePlace& place : places)
        if (holds(place.folder, folder) && (!inner || place.folder.size() > inner->folder.size())) inner = &place;
    if (inner) {
        const std::string below = withArrows(folder.substr(inner->folder.size()));
        return below.empty() ? inner->name : inner->name + kBetweenFolders + below;
    }
    std::string trimmed = folder;
    while (trimmed.size() > 3 && trimmed.back() == '\\') trimmed.pop_back();
    const size_t cut = trimmed.rfind('\\');
    // A drive's root has no name of its own: its letter is what there is.
    if (cut == std::string::npos || cut + 1 == trimmed.size()) return trimmed;
    return trimmed.substr(cut + 1);
}
