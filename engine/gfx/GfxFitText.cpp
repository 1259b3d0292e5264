#include "engine/gfx/GfxFitText.h"

#include <algorithm>

#include "engine/base/TextUtils.h"
#include "engine/gfx/GfxDraw.h"

namespace {

constexpr char kEllipsis[] = "...";

i32 widthOf(const std::string& text, size_t length) { return gfxTextWidth(text.c_str(), u16(std::min<size_t>(length, 0xFFFF))); }

}  // namespace

std::string gfxFitTextToWidth(const std::string& text, i32 width) {
    if (widthOf(text, text.size()) <= width) return text;
    const i32 room = width - widthOf(kEllipsis, sizeof kEllipsis - 1);
    size_t kept = 0;
    for (const char* p = text.c_str(); *p; p = strCharNext(p)) {
        const size_t end = size_t(strCharNext(p) - text.c_str());
        if (widthOf(text, end) > room) break;
        kept = end;
    }
    while (kept > 0 && text[kept - 1] == ' ') --kept;
    return text.substr(0, kept) + kEllipsis;
}
