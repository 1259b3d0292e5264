#include "panels/text/TextPanelLists.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "engine/gfx/GfxDraw.h"

namespace Ostrel {
namespace {

u16 collectFamily(const GfxFontFamily& family, void* context) {
    auto* names = static_cast<std::vector<std::string>*>(context);
    // A child writes words: maths, symbol and emoji families have no place in the list.
    if (!family.textFace) return 1;
    names->emplace_back(family.name, strnlen(family.name, sizeof family.name));
    // One entry a family: the other styles of a scalable family are not wanted.
    return 1;
}

}  // namespace

std::vector<std::string> installedFontNames() {
    std::vector<std::string> names;
    gfxEnumFonts(&collectFamily, &names);
    sortFontNames(&names);
    return names;
}

void sortFontNames(std::vector<std::string>* names) {
    std::stable_sort(names->begin(), names->end());
    names->erase(std::unique(names->begin(), names->end()), names->end());
}

int findFont(const std::vector<std::string>& names, std::string_view name) {
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& entry = names[i];
        if (entry.size() == name.size() && std::equal(entry.begin(), entry.end(), name.begin(), [](char a, char b) {
                return std::tolower(u8(a)) == std::tolower(u8(b));
            }))
            return int(i);
    }
    return names.size() > 1 ? 1 : 0;
}

int findSize(i32 points) {
    for (size_t i = 0; i < kTextSizes.size(); ++i)
        if (kTextSizes[i] == points) return int(i);
    return kTextSizeFallback;
}

std::vector<std::string> voiceNames(bool spanish) {
    if (spanish) return {"Carmen", "Julio"};
    return {"Wanda", "Julia", "Peter"};
}

u16 clampVoice(i32 voice, size_t count) { return voice >= 0 && size_t(voice) < count ? u16(voice) : 0; }

}  // namespace Ostrel
