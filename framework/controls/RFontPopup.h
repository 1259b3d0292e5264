#pragma once
// A popup of font names: the text panel's font choice. User-interface thread only.
#include <string>
#include <vector>

#include "framework/controls/RTextPopup.h"

namespace Ostrel {

class RFontPopup : public RTextPopup {
public:
    using RTextPopup::RTextPopup;

    void SetFonts(int current, std::vector<std::string> names) { SetItems(current, std::move(names)); }
    std::string GetFontName() const { return GetCurrentText(); }
    // The index of a font name, -1 when the list lacks it.
    int FindFont(const std::string& name) const;
};

}  // namespace Ostrel
