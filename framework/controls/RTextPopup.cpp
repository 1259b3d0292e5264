#include "framework/controls/RTextPopup.h"

#include "engine/gfx/GfxDraw.h"

namespace Ostrel {
namespace {

constexpr u16 kTextLeftCentred = 0x21;

}  // namespace

void RTextPopup::SetItems(int current, std::vector<std::string> items) {
    Close();
    items_ = std::move(items);
    SetValue(-1);
    SetValue(current);
}

std::string RTextPopup::GetCurrentText() const {
    const int value = GetValue();
    return value >= 0 && value < int(items_.size()) ? items_[size_t(value)] : std::string();
}

void RTextPopup::DrawRow(int index, const Rect16& row, bool current) {
    gfxEraseRect(row);
    const std::string& text = items_[size_t(index)];
    gfxDrawTextBox(row, kTextLeftCentred, text.c_str(), u16(text.size()));
    if (current) gfxInvertRect(row);
}

}  // namespace Ostrel
