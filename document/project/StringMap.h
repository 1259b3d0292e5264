#pragma once
// Texts keyed by texts whose letter case does not matter (file paths of the program's own
// engine texts): where a page file lay, and where it lies after a move.
#include <map>
#include <string>

#include "engine/base/TextUtils.h"

namespace Ostrel {

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const { return strCompareNoCase(a.c_str(), b.c_str()) < 0; }
};

using StringMap = std::map<std::string, std::string, NoCaseLess>;

}  // namespace Ostrel
