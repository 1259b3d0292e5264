// How a dialog box and each kind of item look.
#include <algorithm>
#include <string>
#include <utility>

#include "platform/gdi/Blit.h"
#include "platform/gdi/Text.h"
#include "platform/widgets/DialogBox.h"
#include "platform/widgets/WidgetPaint.h"

namespace plat::widgets {

namespace {

constexpr int32_t kMarkSize = 13;
constexpr int32_t kFieldInset = 3;
// A list entry too wide for its line keeps this many of its last characters after the ellipsis.
constexpr size_t kKeptTail = 6;
constexpr char kEllipsis = '\x85';  // cp1252

gdi::ColorRef itemText(const DialogItem& item) { return item.enabled ? kTextColor : kGrayTextColor; }

gdi::Rect markBox(const gdi::Rect& r) {
    const int32_t top = r.top + (r.height() - kMarkSize) / 2;
    return {r.left, top, r.left + kMarkSize, top + kMarkSize};
}

void drawButton(gdi::DeviceContext& dc, const DialogItem& item, const gdi::Rect& r, bool focused, bool pressed) {
    fillBox(dc, r, kFaceColor);
    gdi::Rect face = r;
    if (item.isDefault) {
        frameBox(dc, r, kTextColor);
        face = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    bevelBox(dc, face, pressed);
    gdi::Rect text = face.offset(pressed ? 1 : 0, pressed ? 1 : 0);
    drawTextBox(dc, text, item.text, gdi::kDtCenter | gdi::kDtVCenter | gdi::kDtSingleLine, itemText(item));
    if (focused) frameBox(dc, {face.left + 3, face.top + 3, face.right - 3, face.bottom - 3}, kShadowColor);
}

void drawMark(gdi::DeviceContext& dc, const DialogItem& item, const gdi::Rect& r, bool focused) {
    const gdi::Rect box = markBox(r);
    const gdi::ColorRef ink = itemText(item);
    if (item.kind == DialogItemKind::CheckBox) {
        fillBox(dc, box, kFieldColor);
        bevelBox(dc, box, true);
        if (item.checked) {
            for (int32_t i = 0; i < kMarkSize - 6; ++i) {
                fillBox(dc, {box.left + 3 + i, box.top + 3 + i, box.left + 4 + i, box.top + 5 + i}, ink);
                fillBox(dc, {box.right - 4 - i, box.top + 3 + i, box.right - 3 - i, box.top + 5 + i}, ink);
            }
        }
    } else {
        drawEllipse(dc, box, kShadowColor, kFieldColor);
        if (item.checked) drawEllipse(dc, {box.left + 4, box.top + 4, box.right - 4, box.bottom - 4}, ink, ink);
    }
    const gdi::Rect text{box.right + 5, r.top, r.right, r.bottom};
    drawTextBox(dc, text, item.text, gdi::kDtLeft | gdi::kDtVCenter | gdi::kDtSingleLine, ink);
    if (focused) frameBox(dc, {text.left - 2, r.top, std::min(r.right, text.left + labelWidth(item.text) + 2), r.bottom},
                          kShadowColor);
}

// The part of a one-line field's text that fits its room, scrolled so that the caret shows:
// [first, last) of the text.
std::pair<size_t, size_t> shownSpan(std::string_view text, size_t caret, int32_t room) {
    size_t first = 0;
    while (first < caret && labelWidth(text.substr(first, caret - first)) >= room) ++first;
    size_t last = caret;
    while (last < text.size() && labelWidth(text.substr(first, last + 1 - first)) < room) ++last;
    return {first, last};
}

void drawEdit(gdi::DeviceContext& dc, const DialogItem& item, const gdi::Rect& r, bool focused) {
    fillBox(dc, r, item.enabled ? kFieldColor : kFaceColor);
    bevelBox(dc, r, true);
    const gdi::Rect inner{r.left + kFieldInset, r.top + kFieldInset, r.right - kFieldInset, r.bottom - kFieldInset};
    if (item.multiLine) {
        drawTextBox(dc, inner, item.text, gdi::kDtLeft | gdi::kDtWordBreak, itemText(item));
        return;
    }
    // Only what fits the field shows, around the caret: a long name never runs out of it.
    const std::string_view whole = item.text;
    const size_t caret = std::min(item.selectionEnd, whole.size());
    const auto [first, last] = shownSpan(whole, caret, inner.width());
    const std::string_view text = whole.substr(first, last - first);
    const size_t from = std::clamp(std::min(item.selectionStart, item.selectionEnd), first, last) - first;
    const size_t to = std::clamp(std::max(item.selectionStart, item.selectionEnd), first, last) - first;
    const int32_t y = inner.top + (inner.height() - labelHeight()) / 2;
    const int32_t x0 = inner.left + labelWidth(text.substr(0, from));
    const int32_t x1 = inner.left + labelWidth(text.substr(0, to));
    if (focused && from != to) fillBox(dc, {x0, y, x1, y + labelHeight()}, kHighlightColor);
    drawLabel(dc, {inner.left, y}, text, itemText(item));
    if (focused && from != to) drawLabel(dc, {x0, y}, text.substr(from, to - from), kHighlightTextColor);
    const int32_t caretX = inner.left + labelWidth(text.substr(0, caret - first));
    if (focused && from == to && caretX < inner.right) fillBox(dc, {caretX, y, caretX + 1, y + labelHeight()}, kTextColor);
}

// An entry as wide as its room allows: a longer one is cut in its middle, its end kept, so that
// names that differ only in their last words ("Castle 2", "Castle 3") stay apart.
std::string fittedEntry(std::string_view text, int32_t room) {
    if (labelWidth(text) <= room) return std::string(text);
    const std::string tail(text.substr(text.size() - std::min(text.size(), kKeptTail)));
    std::string head(text.substr(0, text.size() - tail.size()));
    while (!head.empty() && labelWidth(head + kEllipsis + tail) > room) head.pop_back();
    return head + kEllipsis + tail;
}

void drawList(gdi::DeviceContext& dc, const DialogItem& item, const gdi::Rect& r, bool focused) {
    fillBox(dc, r, item.choice ? kFaceColor : kFieldColor);
    if (!item.choice) bevelBox(dc, r, true);
    const int rows = std::max(1, r.height() / DialogBox::kListRowHeight);
    for (int row = 0; row < rows && item.top + row < int(item.entries.size()); ++row) {
        const int entry = item.top + row;
        const gdi::Rect line{r.left + 2, r.top + row * DialogBox::kListRowHeight, r.right - 2,
                             r.top + (row + 1) * DialogBox::kListRowHeight};
        const bool lit = entry == item.selected;
        const std::string_view text = item.entries[size_t(entry)];
        if (item.choice) {
            // A choice of one: a round mark before each entry, the chosen one filled.
            const gdi::Rect box = markBox(line);
            drawEllipse(dc, box, kShadowColor, kFieldColor);
            if (lit) drawEllipse(dc, {box.left + 4, box.top + 4, box.right - 4, box.bottom - 4}, itemText(item), itemText(item));
            const gdi::Rect words{box.right + 5, line.top, line.right, line.bottom};
            const std::string shown = fittedEntry(text, words.width());
            drawTextBox(dc, words, shown, gdi::kDtLeft | gdi::kDtVCenter | gdi::kDtSingleLine, itemText(item));
            if (focused && lit)
                frameBox(dc, {words.left - 2, line.top, std::min(line.right, words.left + labelWidth(shown) + 2), line.bottom},
                         kShadowColor);
            continue;
        }
        if (lit) fillBox(dc, line, focused ? kHighlightColor : kShadowColor);
        drawTextBox(dc, {line.left + 2, line.top, line.right, line.bottom}, fittedEntry(text, line.width() - 2),
                    gdi::kDtLeft | gdi::kDtVCenter | gdi::kDtSingleLine, lit ? kHighlightTextColor : itemText(item));
    }
}

void drawGroup(gdi::DeviceContext& dc, const DialogItem& item, const gdi::Rect& r) {
    const int32_t half = labelHeight() / 2;
    const gdi::Rect frame{r.left, r.top + half, r.right, r.bottom};
    frameBox(dc, frame, kShadowColor);
    frameBox(dc, frame.offset(1, 1), kLightColor);
    if (!item.text.empty()) {
        fillBox(dc, {r.left + 6, r.top, r.left + 10 + labelWidth(item.text), r.top + labelHeight()}, kFaceColor);
        drawLabel(dc, {r.left + 8, r.top}, item.text, itemText(item));
    }
}

void drawPicture(gdi::DeviceContext& dc, const DialogItem& item, const gdi::Rect& r) {
    if (!item.picture) return;
    auto source = gdi::DeviceContext::createMemory();
    source->selectSurface(item.picture);
    const int32_t w = std::min(r.width(), item.picture->width());
    const int32_t h = std::min(r.height(), item.picture->height());
    gdi::bitBlt(dc, {r.left, r.top, w, h}, source.get(), {0, 0}, gdi::kRopSrcCopy);
}

void drawIcon(gdi::DeviceContext& dc, const DialogItem& item, const gdi::Rect& r) {
    struct Look {
        gdi::ColorRef color;
        const char* mark;
    };
    Look look{kHighlightColor, "i"};
    switch (item.icon) {
    case AlertIcon::Question: look = {kHighlightColor, "?"}; break;
    case AlertIcon::Exclamation: look = {gdi::rgbColor(230, 180, 0), "!"}; break;
    case AlertIcon::Stop: look = {gdi::rgbColor(200, 0, 0), "X"}; break;
    default: break;
    }
    drawEllipse(dc, r, look.color, look.color);
    drawTextBox(dc, r, look.mark, gdi::kDtCenter | gdi::kDtVCenter | gdi::kDtSingleLine, kLightColor);
}

}  // namespace

void DialogBox::drawItem(gdi::DeviceContext& dc, const DialogItem& item, bool focused, bool pressed) const {
    if (!item.visible) return;
    const gdi::Rect r = windowRect(item);
    switch (item.kind) {
    case DialogItemKind::Button: drawButton(dc, item, r, focused, pressed); break;
    case DialogItemKind::CheckBox:
    case DialogItemKind::Radio: drawMark(dc, item, r, focused); break;
    case DialogItemKind::Label: drawTextBox(dc, r, item.text, gdi::kDtLeft | gdi::kDtWordBreak, itemText(item)); break;
    case DialogItemKind::Edit: drawEdit(dc, item, r, focused); break;
    case DialogItemKind::List: drawList(dc, item, r, focused); break;
    case DialogItemKind::Picture: drawPicture(dc, item, r); break;
    case DialogItemKind::Group: drawGroup(dc, item, r); break;
    case DialogItemKind::Icon: drawIcon(dc, item, r); break;
    }
}

void DialogBox::draw(gdi::DeviceContext& dc) const {
    const gdi::Rect frame = frameRect();
    fillBox(dc, frame, kFaceColor);
    bevelBox(dc, frame, false);
    const gdi::Rect titleBar{frame.left + 2, frame.top + 2, frame.right - 2, origin_.y - 1};
    fillBox(dc, titleBar, kTitleColor);
    drawTextBox(dc, {titleBar.left + 6, titleBar.top, titleBar.right, titleBar.bottom}, title_,
                gdi::kDtLeft | gdi::kDtVCenter | gdi::kDtSingleLine, kHighlightTextColor);
    // Item order: a template lists a group before the items inside it.
    for (size_t i = 0; i < items_.size(); ++i) {
        drawItem(dc, items_[i], int(i) == focus_, int(i) == pressed_);
    }
}

}  // namespace plat::widgets
