#pragma once
// The login's list of users: the names sorted without regard to case, shown in rows, one
// selected in normal mode and several while the administrator picks users to delete. Names
// are compared without regard to case throughout. User-interface thread only.
#include <string>
#include <vector>

#include "framework/controls/RTextScroller.h"

namespace Ostrel {

class RUserList : public RTextScroller {
public:
    explicit RUserList(CListener* owner) : RTextScroller(owner) {}

    // Rows on the rectangles, their hot spots numbered from `firstHotSpotId`; the names sorted.
    void Setup(const std::vector<Rect16>& rows, u16 firstHotSpotId, std::vector<std::string> names);
    // The 1-based index of the last name equal to `name`; 0 when there is none.
    int Find(const std::string& name) const;
    // Null below 0 or past the end.
    const std::string* NameAt(int index) const;
    // Before the first name equal to or after it; the selection is cleared.
    void AddSorted(const std::string& name);
    // Removes every name equal to `name` (the selection is cleared); whether one was removed.
    bool Remove(const std::string& name);
    // Multiple selection while set; clearing it clears the selection.
    void SetAdministrator(bool administrator);
    bool IsAdministrator() const { return administrator_; }
    // The first name whose beginning equals `prefix`; -1 when none.
    int FindPrefix(const std::string& prefix) const;

private:
    bool administrator_ = false;
};

}  // namespace Ostrel
