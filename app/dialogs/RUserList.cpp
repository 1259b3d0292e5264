#include "app/dialogs/RUserList.h"

#include <algorithm>

#include "engine/base/TextUtils.h"

namespace Ostrel {

namespace {

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strCompareNoCase(a.c_str(), b.c_str()) == 0;
}

bool lessName(const std::string& a, const std::string& b) { return strCompareNoCase(a.c_str(), b.c_str()) < 0; }

}  // namespace

void RUserList::Setup(const std::vector<Rect16>& rows, u16 firstHotSpotId, std::vector<std::string> names) {
    SetCellRects(rows, firstHotSpotId);
    SetPageStep(1);
    std::stable_sort(names.begin(), names.end(), lessName);
    SetItems(std::move(names));
}

int RUserList::Find(const std::string& name) const {
    const std::vector<std::string>& names = Items();
    for (size_t i = names.size(); i > 0; --i) {
        if (sameName(names[i - 1], name)) return int(i);
    }
    return 0;
}

const std::string* RUserList::NameAt(int index) const {
    const std::vector<std::string>& names = Items();
    if (index < 0 || index >= int(names.size())) return nullptr;
    return &names[size_t(index)];
}

void RUserList::AddSorted(const std::string& name) {
    InsertSorted(name);
    Redraw();
}

bool RUserList::Remove(const std::string& name) {
    std::vector<std::string> names = Items();
    const size_t before = names.size();
    std::erase_if(names, [&name](const std::string& stored) { return sameName(stored, name); });
    if (names.size() == before) return false;
    const int first = GetFirstVisible();
    SetItems(std::move(names));
    ScrollTo(first);
    Redraw();
    return true;
}

void RUserList::SetAdministrator(bool administrator) {
    administrator_ = administrator;
    SetMultipleSelection(administrator);
    if (!administrator) {
        ClearSelection();
        Redraw();
    }
}

int RUserList::FindPrefix(const std::string& prefix) const {
    const std::vector<std::string>& names = Items();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].size() >= prefix.size() && strCompareNoCase(names[i].substr(0, prefix.size()).c_str(), prefix.c_str()) == 0)
            return int(i);
    }
    return -1;
}

}  // namespace Ostrel
