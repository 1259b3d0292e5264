#include "platform/widgets/DialogBox.h"

#include <algorithm>

#include "platform/keyboard/VirtualKeys.h"

namespace plat::widgets {

bool DialogItem::focusable() const {
    if (!enabled || !visible) return false;
    switch (kind) {
    case DialogItemKind::Button:
    case DialogItemKind::CheckBox:
    case DialogItemKind::Radio:
    case DialogItemKind::Edit:
    case DialogItemKind::List:
        return true;
    default:
        return false;
    }
}

namespace {

bool reportsKeys(const DialogItem& item) {
    return item.kind == DialogItemKind::Button || item.kind == DialogItemKind::CheckBox ||
           item.kind == DialogItemKind::Radio;
}

}  // namespace

DialogBox::DialogBox(std::string title, int32_t width, int32_t height, std::vector<DialogItem> items)
    : title_(std::move(title)), width_(width), height_(height), items_(std::move(items)) {
    for (size_t i = 0; i < items_.size() && focus_ < 0; ++i) {
        if (items_[i].focusable()) focus_ = int(i);
    }
}

void DialogBox::placeIn(const gdi::Rect& client) {
    const gdi::Rect frame = frameRect();
    origin_ = {client.left + (client.width() - frame.width()) / 2 + kBorder,
               client.top + (client.height() - frame.height()) / 2 + kBorder + kTitleHeight};
}

gdi::Rect DialogBox::frameRect() const {
    return {origin_.x - kBorder, origin_.y - kBorder - kTitleHeight, origin_.x + width_ + kBorder,
            origin_.y + height_ + kBorder};
}

gdi::Point DialogBox::clientOrigin() const { return origin_; }

void DialogBox::setTitle(std::string title) {
    title_ = std::move(title);
    if (repaint_) repaint_(frameRect());
}

int DialogBox::indexOf(uint16_t id) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].id == id) return int(i);
    }
    return -1;
}

DialogItem* DialogBox::find(uint16_t id) {
    const int index = indexOf(id);
    return index < 0 ? nullptr : &items_[size_t(index)];
}

const DialogItem* DialogBox::find(uint16_t id) const {
    const int index = indexOf(id);
    return index < 0 ? nullptr : &items_[size_t(index)];
}

void DialogBox::changed(uint16_t id) {
    const int index = indexOf(id);
    if (index >= 0) repaintItem(index);
    // A focused item that became unusable gives the focus up.
    if (index == focus_ && !items_[size_t(index)].focusable()) moveFocus(1);
}

gdi::Rect DialogBox::windowRect(const DialogItem& item) const { return item.rect.offset(origin_.x, origin_.y); }

void DialogBox::repaintItem(int index) {
    // One pixel around the item for the focus and default frames.
    if (repaint_ && index >= 0) {
        const gdi::Rect r = windowRect(items_[size_t(index)]);
        repaint_({r.left - 1, r.top - 1, r.right + 1, r.bottom + 1});
    }
}

uint16_t DialogBox::focus() const { return focus_ < 0 ? 0 : items_[size_t(focus_)].id; }

void DialogBox::focusIndex(int index) {
    if (index == focus_) return;
    repaintItem(focus_);
    focus_ = index;
    repaintItem(focus_);
}

void DialogBox::setFocus(uint16_t id) {
    const int index = indexOf(id);
    if (index >= 0 && items_[size_t(index)].focusable()) focusIndex(index);
}

void DialogBox::setDefaultButton(uint16_t id) {
    for (size_t i = 0; i < items_.size(); ++i) {
        const bool wanted = items_[i].id == id && items_[i].kind == DialogItemKind::Button;
        if (items_[i].isDefault != wanted) {
            items_[i].isDefault = wanted;
            repaintItem(int(i));
        }
    }
}

void DialogBox::moveFocus(int step) {
    const int count = int(items_.size());
    int at = focus_;
    for (int tries = 0; tries < count; ++tries) {
        at = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
        if (items_[size_t(at)].focusable()) {
            focusIndex(at);
            return;
        }
    }
    focusIndex(-1);
}

void DialogBox::report(const DialogItem& item, uint16_t notification, uint8_t key) {
    if (sink_) sink_(DialogEvent{kDialogEventItem, item.id, notification, key});
}

void DialogBox::reportList(const DialogItem& item, uint16_t kind, uint16_t notification) {
    if (sink_) sink_(DialogEvent{kind, item.id, notification, 0});
}

void DialogBox::selectEntry(DialogItem& list, int entry) {
    const int count = int(list.entries.size());
    if (count == 0) return;
    entry = std::clamp(entry, 0, count - 1);
    if (entry == list.selected) return;
    list.selected = entry;
    const int rows = std::max(1, list.rect.height() / kListRowHeight);
    if (entry < list.top) list.top = entry;
    if (entry >= list.top + rows) list.top = entry - rows + 1;
    changed(list.id);
    reportList(list, kDialogEventListSelection, kDialogNotifyListSelection);
}

void DialogBox::editKey(DialogItem& edit, uint8_t key) {
    const size_t length = edit.text.size();
    size_t from = std::min(std::min(edit.selectionStart, edit.selectionEnd), length);
    size_t to = std::min(std::max(edit.selectionStart, edit.selectionEnd), length);
    switch (key) {
    case kVkBack:
        if (from == to && from > 0) --from;
        edit.text.erase(from, to - from);
        to = from;
        break;
    case kVkDelete:
        if (from == to && to < length) ++to;
        edit.text.erase(from, to - from);
        to = from;
        break;
    case kVkLeft:
        from = to = (from == to && from > 0) ? from - 1 : from;
        break;
    case kVkRight:
        from = to = (from == to && to < length) ? to + 1 : to;
        break;
    case kVkHome:
        from = to = 0;
        break;
    case kVkEnd:
        from = to = length;
        break;
    default:
        return;
    }
    edit.selectionStart = from;
    edit.selectionEnd = to;
    changed(edit.id);
}

void DialogBox::keyDown(uint8_t key, bool shift) {
    DialogItem* focused = focus_ < 0 ? nullptr : &items_[size_t(focus_)];
    spaceUsed_ = false;
    switch (key) {
    case kVkTab:
        moveFocus(shift ? -1 : 1);
        return;
    case kVkEscape:
        closeRequested_ = true;
        return;
    case kVkReturn:
        // Return presses the focused button, or else the default one: a focused check box or
        // radio button keeps the choice it shows and lets Return answer the dialog.
        if (focused && (focused->kind == DialogItemKind::Button || (focused->kind == DialogItemKind::Edit && focused->multiLine))) {
            report(*focused, kDialogNotifyKey, '\r');
            return;
        }
        for (const DialogItem& item : items_) {
            if (item.isDefault && item.enabled && item.visible) {
                report(item, kDialogNotifyKey, '\r');
                return;
            }
        }
        return;
    case kVkSpace:
        if (focused && reportsKeys(*focused)) {
            spaceUsed_ = true;
            report(*focused, kDialogNotifyKey, ' ');
        }
        return;
    case kVkUp:
    case kVkDown:
        if (focused && focused->kind == DialogItemKind::List) {
            selectEntry(*focused, focused->selected < 0 ? 0 : focused->selected + (key == kVkDown ? 1 : -1));
        }
        return;
    default:
        if (focused && focused->kind == DialogItemKind::Edit) editKey(*focused, key);
        return;
    }
}

void DialogBox::character(uint8_t ch) {
    const bool sentByAUse = spaceUsed_ && ch == ' ';
    spaceUsed_ = false;
    if (focus_ < 0 || sentByAUse) return;
    DialogItem& edit = items_[size_t(focus_)];
    if (edit.kind != DialogItemKind::Edit || ch < 0x20 || ch == 0x7F) return;
    if (edit.numberOnly && (ch < '0' || ch > '9')) return;
    const size_t length = edit.text.size();
    const size_t from = std::min(std::min(edit.selectionStart, edit.selectionEnd), length);
    const size_t to = std::min(std::max(edit.selectionStart, edit.selectionEnd), length);
    if (length - (to - from) >= edit.limit) return;
    edit.text.replace(from, to - from, 1, char(ch));
    edit.selectionStart = edit.selectionEnd = from + 1;
    changed(edit.id);
}

int DialogBox::itemAt(gdi::Point at) const {
    for (int i = int(items_.size()) - 1; i >= 0; --i) {
        const DialogItem& item = items_[size_t(i)];
        if (item.visible && item.enabled && windowRect(item).contains(at)) {
            if (item.kind == DialogItemKind::Group || item.kind == DialogItemKind::Label) continue;
            return i;
        }
    }
    return -1;
}

void DialogBox::mouseDown(gdi::Point at, bool doubleClick) {
    const int index = itemAt(at);
    if (index < 0) return;
    DialogItem& item = items_[size_t(index)];
    if (item.focusable()) focusIndex(index);
    switch (item.kind) {
    case DialogItemKind::Button:
    case DialogItemKind::CheckBox:
    case DialogItemKind::Radio:
        pressed_ = index;
        repaintItem(index);
        break;
    case DialogItemKind::List: {
        const int entry = item.top + (at.y - windowRect(item).top) / kListRowHeight;
        if (entry < int(item.entries.size())) {
            selectEntry(item, entry);
            if (doubleClick) reportList(item, kDialogEventListDoubleClick, kDialogNotifyListDoubleClick);
        }
        break;
    }
    case DialogItemKind::Edit:
        item.selectionStart = item.selectionEnd = item.text.size();
        changed(item.id);
        break;
    default:
        break;
    }
}

void DialogBox::mouseUp(gdi::Point at) {
    if (pressed_ < 0) return;
    const int index = pressed_;
    pressed_ = -1;
    repaintItem(index);
    if (itemAt(at) == index) report(items_[size_t(index)], kDialogNotifyClicked, 0);
}

}  // namespace plat::widgets
