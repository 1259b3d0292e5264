#include "framework/controls/RPopup.h"

#include <algorithm>
#include <limits>

#include "engine/gfx/sprites/SprLayer.h"
#include "platform/keyboard/VirtualKeys.h"

namespace Ostrel {
namespace {

constexpr FourCC kPopupTag = fourCC("Popu");

}  // namespace

RPopup::RPopup(CListener* owner) : RSender(kPopupTag), owner_(owner) {
    if (owner_ != nullptr) AddListener(owner_);
}

RPopup::~RPopup() = default;

// Rows that would run past the coordinates are left off rather than wrapped round to the top;
// the keys still reach their entries.
int RPopup::ShownRows() const {
    const int room = (std::numeric_limits<i16>::max() - anchor_.bottom) / kPopupRowHeight;
    return std::min(Count(), room);
}

Rect16 RPopup::Area() const {
    const int width = std::max(anchor_.right - anchor_.left, int(kPopupMinWidth));
    const int right = std::min(anchor_.left + width, int(std::numeric_limits<i16>::max()));
    return Rect16{anchor_.left, anchor_.bottom, i16(right), i16(anchor_.bottom + kPopupRowHeight * ShownRows())};
}

Rect16 RPopup::GetRowRect(int index) const {
    if (!IsOpen() || index < 0 || index >= ShownRows()) return Rect16{0, 0, 0, 0};
    const Rect16 area = Area();
    const i16 top = i16(area.top + kPopupRowHeight * index);
    return Rect16{area.left, top, area.right, i16(top + kPopupRowHeight)};
}

bool RPopup::Open() {
    if (Count() == 0) return false;
    if (IsOpen()) return true;
    rows_ = std::make_unique<RHotSpotList>(this);
    for (int i = 0; i < ShownRows(); ++i)
        rows_->CreateRectHotSpot(GetRowRect(i), kMsgPopupRow)->SetRecord(uintptr_t(i));
    // In front of its own rows: clicks outside them close the list.
    Register(kInputMouseButtons | kInputKeys);
    highlighted_ = value_;
    DrawRows();
    return true;
}

void RPopup::Close() {
    if (!IsOpen()) return;
    sprInvalRect(Area());
    rows_.reset();
    Unregister();
    highlighted_ = -1;
}

void RPopup::SetValue(int value) {
    if (value < -1 || value >= Count()) return;
    value_ = value;
}

void RPopup::Reset() {
    Close();
    value_ = -1;
}

void RPopup::DrawRows() {
    for (int i = 0; i < ShownRows(); ++i) DrawRow(i, GetRowRect(i), i == highlighted_);
    sprInvalRect(Area());
}

void RPopup::Choose(int index) {
    if (index < 0 || index >= Count()) return;
    value_ = index;
    Close();
    PostMessage(code_, reinterpret_cast<uintptr_t>(this), u16(index));
}

u32 RPopup::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code != kMsgPopupRow || !IsOpen()) return 0;
    Choose(int(message->param1));
    return 1;
}

u32 RPopup::HandleInput(u32, Point16 point, u32) {
    if (!IsOpen()) return 0;
    if (rectContainsPoint(Area(), point)) return 0;  // for the rows
    Close();
    return 1;
}

u32 RPopup::HandleKey(u32 key) {
    if (!IsOpen()) return 0;
    switch (keyRecordVirtualKey(key)) {
        case plat::kVkUp: highlighted_ = std::max(0, highlighted_ - 1); break;
        case plat::kVkDown: highlighted_ = std::min(Count() - 1, highlighted_ + 1); break;
        case plat::kVkReturn: Choose(highlighted_); return 1;
        case plat::kVkEscape: Close(); return 1;
        default: return 1;  // an open list keeps the keys to itself
    }
    DrawRows();
    return 1;
}

}  // namespace Ostrel
