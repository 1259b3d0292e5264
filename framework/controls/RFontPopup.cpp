#include "framework/controls/RFontPopup.h"

namespace Ostrel {

int RFontPopup::FindFont(const std::string& name) const {
    for (size_t i = 0; i < Items().size(); ++i) {
        if (Items()[i] == name) return int(i);
    }
    return -1;
}

}  // namespace Ostrel
