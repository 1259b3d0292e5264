#include "framework/filedialogs/mfxFilePlace.h"

#include "engine/base/TextUtils.h"

namespace {

constexpr const char* kBetweenFolders = " > ";

bool sameFolder(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strCompareNoCase(a.c_str(), b.c_str()) == 0;
}

// Whether `folder` is `place` or lies below it, without regard to case as engine texts go.
bool holds(const std::string& place, const std::string& folder) {
    if (strCompareNoCase(folder.substr(0, place.size()).c_str(), place.c_str()) != 0) return false;
    return folder.size() == place.size() || folder[place.size()] == '\\';
}

// The folders of `folder` below `top`, each by its word.
std::string withArrows(const std::string& top, const std::string& folder, const std::vector<mfxFilePlace>& places) {
    std::string shown;
    size_t from = top.size();
    while (from <= folder.size()) {
        const size_t cut = folder.find('\\', from);
        const size_t end = cut == std::string::npos ? folder.size() : cut;
        if (end > from) shown += (shown.empty() ? "" : kBetweenFolders) + mfxFolderWord(folder.substr(0, end), places);
        if (cut == std::string::npos) break;
        from = cut + 1;
    }
    return shown;
}

}  // namespace

std::string mfxFolderShownName(const std::string& folder, const std::vector<mfxFilePlace>& places) {
    const mfxFilePlace* inner = nullptr;
    for (const mfxFilePlace& place : places)
        if (!place.name.empty() && holds(place.folder, folder) && (!inner || place.folder.size() > inner->folder.size()))
            inner = &place;
    if (inner) {
        const std::string below = withArrows(inner->folder, folder, places);
        return below.empty() ? inner->name : inner->name + kBetweenFolders + below;
    }
    std::string trimmed = folder;
    while (trimmed.size() > 3 && trimmed.back() == '\\') trimmed.pop_back();
    const size_t cut = trimmed.rfind('\\');
    // A drive's root has no name of its own: its letter is what there is.
    if (cut == std::string::npos || cut + 1 == trimmed.size()) return trimmed;
    return mfxFolderWord(trimmed, places);
}

std::string mfxFolderWord(const std::string& folder, const std::vector<mfxFilePlace>& places) {
    for (const mfxFilePlace& place : places)
        if (!place.word.empty() && sameFolder(place.folder, folder)) return place.word;
    return folder.substr(folder.rfind('\\') + 1);
}
