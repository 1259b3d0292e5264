#pragma once
// A popup of texts, such as categories, sizes or voices. User-interface thread only.
#include <string>
#include <vector>

#include "framework/controls/RPopup.h"

namespace Ostrel {

class RTextPopup : public RPopup {
public:
    using RPopup::RPopup;

    void SetItems(int current, std::vector<std::string> items);
    const std::vector<std::string>& Items() const { return items_; }
    // Empty when there is no current value.
    std::string GetCurrentText() const;

protected:
    int Count() const override { return int(items_.size()); }
    void DrawRow(int index, const Rect16& row, bool current) override;

private:
    std::vector<std::string> items_;
};

}  // namespace Ostrel
