#include "framework/controls/RTextScroller.h"

#include <algorithm>
#include <cctype>

#include "engine/gfx/GfxDraw.h"

namespace Ostrel {
namespace {

constexpr u16 kTextLeftCentred = 0x21;

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

RTextScroller::RTextScroller(CListener* owner) : RScroller(owner) { SetSelectMessage(kMsgTextRowHit); }

void RTextScroller::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    selected_.assign(items_.size(), false);
    Select(-1);
    SetCount(int(items_.size()));
}

int RTextScroller::InsertSorted(std::string item) {
    const auto at = std::find_if(items_.begin(), items_.end(),
                                 [&item](const std::string& stored) { return !lessIgnoringCase(stored, item); });
    const int index = int(at - items_.begin());
    items_.insert(at, std::move(item));
    selected_.assign(items_.size(), false);
    Select(-1);
    SetCount(int(items_.size()));
    return index;
}

void RTextScroller::SelectItem(int index) {
    if (index < 0 || index >= int(items_.size())) return;
    if (multiple_) {
        selected_[size_t(index)] = !selected_[size_t(index)];
    } else {
        selected_.assign(items_.size(), false);
        selected_[size_t(index)] = true;
    }
    Select(index);
}

void RTextScroller::ClearSelection() {
    selected_.assign(items_.size(), false);
    Select(-1);
}

bool RTextScroller::IsItemSelected(int index) const {
    return index >= 0 && index < int(selected_.size()) && selected_[size_t(index)];
}

std::vector<int> RTextScroller::GetSelectedList() const {
    std::vector<int> list;
    for (size_t i = 0; i < selected_.size(); ++i) {
        if (selected_[i]) list.push_back(int(i));
    }
    return list;
}

u32 RTextScroller::HandleMessage(RMessage* message, uintptr_t data) {
    if (message->code != GetSelectMessage()) return RScroller::HandleMessage(message, data);
    // The row under the click, by the same numbering as the base's cells.
    const int before = GetSelected();
    RScroller::HandleMessage(message, data);
    const int hit = GetSelected();
    if (hit >= 0 && (hit != before || multiple_)) {
        if (multiple_) {
            selected_[size_t(hit)] = !selected_[size_t(hit)];
        } else {
            selected_.assign(items_.size(), false);
            selected_[size_t(hit)] = true;
        }
        Redraw();
    }
    if (hit >= 0 && clickProc_) clickProc_(hit);
    return 1;
}

u32 RTextScroller::HandleKey(u32 key) {
    const int before = GetSelected();
    const u32 taken = RScroller::HandleKey(key);
    const int now = GetSelected();
    if (now >= 0 && now != before) {
        selected_.assign(items_.size(), false);
        selected_[size_t(now)] = true;
        Redraw();
    }
    return taken;
}

void RTextScroller::DrawCell(int item, const Rect16& cell, bool) {
    if (drawProc_) {
        drawProc_(item, cell, IsItemSelected(item));
        return;
    }
    const std::string& text = items_[size_t(item)];
    if (IsItemSelected(item)) gfxInvertRect(cell);
    gfxDrawTextBox(cell, kTextLeftCentred, text.c_str(), u16(text.size()));
}

}  // namespace Ostrel
