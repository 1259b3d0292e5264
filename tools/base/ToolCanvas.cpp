#include "tools/base/ToolCanvas.h"

#include <algorithm>

namespace {

bool isEmpty(const Rect16& r) { return r.left >= r.right || r.top >= r.bottom; }

void unite(Rect16* into, const Rect16& r) {
    if (isEmpty(*into)) {
        *into = r;
        return;
    }
    *into = Rect16{std::min(into->left, r.left), std::min(into->top, r.top), std::max(into->right, r.right),
                   std::max(into->bottom, r.bottom)};
}

}  // namespace

void ToolCanvas::MarkChanged(const Rect16& r) {
    Rect16 cut{std::max<i16>(r.left, 0), std::max<i16>(r.top, 0), std::min(r.right, picture_.width),
               std::min(r.bottom, picture_.height)};
    if (isEmpty(cut)) return;
    unite(&changed_, cut);
    unite(&fresh_, cut);
}

Rect16 ToolCanvas::TakeFresh() {
    Rect16 fresh = fresh_;
    fresh_ = Rect16{0, 0, 0, 0};
    return fresh;
}

void ToolCanvas::Restore(const Rect16& r) {
    picture_.CopyRectFrom(before_, r);
    MarkChanged(r);
}

void ToolCanvas::Rebase(const Rect16& r) { before_.CopyRectFrom(picture_, r); }
