#include "framework/filedialogs/mfxFileReach.h"

namespace {

// Whether `folder` is `rule` or lies below it. A drive's root ("C:\") holds every folder on it.
bool reachHolds(const std::string& rule, const std::string& folder) {
    if (folder.compare(0, rule.size(), rule) != 0) return false;
    return folder.size() == rule.size() || rule.back() == '\\' || folder[rule.size()] == '\\';
}

}  // namespace

bool mfxReaches(const std::vector<mfxFileReach>& reach, const std::string& folder) {
    if (reach.empty()) return true;
    const mfxFileReach* inner = nullptr;
    for (const mfxFileReach& rule : reach)
        if (!rule.folder.empty() && reachHolds(rule.folder, folder) && (!inner || rule.folder.size() > inner->folder.size()))
            inner = &rule;
    return inner && inner->shown;
}
