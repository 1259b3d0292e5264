#include "platform/widgets/MenuBar.h"

#include <algorithm>

#include "platform/keyboard/VirtualKeys.h"
#include "platform/widgets/WidgetPaint.h"

namespace plat::widgets {

namespace {

constexpr int32_t kTitleLeft = 4;
constexpr int32_t kTitlePadding = 8;
constexpr int32_t kItemHeight = 20;
constexpr int32_t kSeparatorHeight = 8;
constexpr int32_t kPopupBorder = 2;
constexpr int32_t kTextInset = 20;
constexpr int32_t kAccelGap = 24;
constexpr int32_t kMinPopupWidth = 100;

std::string_view textPart(const std::string& text) { return std::string_view(text).substr(0, text.find('\t')); }

std::string_view accelPart(const std::string& text) {
    const size_t tab = text.find('\t');
    return tab == std::string::npos ? std::string_view() : std::string_view(text).substr(tab + 1);
}

int32_t itemHeight(const MenuItem& item) {
    return item.kind == MenuItem::Kind::Separator ? kSeparatorHeight : kItemHeight;
}

int32_t popupWidth(const MenuPopup& popup) {
    int32_t widest = 0;
    for (const MenuItem& item : popup.items) {
        const std::string_view accel = accelPart(item.text);
        const int32_t accelWidth = accel.empty() ? 0 : kAccelGap + labelWidth(accel);
        widest = std::max(widest, labelWidth(textPart(item.text)) + accelWidth);
    }
    return std::max(kMinPopupWidth, widest + 2 * kTextInset + 2 * kPopupBorder);
}

int32_t popupHeight(const MenuPopup& popup) {
    int32_t height = 2 * kPopupBorder;
    for (const MenuItem& item : popup.items) height += itemHeight(item);
    return height;
}

bool selectable(const MenuItem& item) { return item.kind != MenuItem::Kind::Separator; }

}  // namespace

MenuBar::MenuBar(std::function<void(uint16_t)> choose, std::function<void(const gdi::Rect&)> repaint)
    : choose_(std::move(choose)), repaint_(std::move(repaint)) {}

void MenuBar::setModel(std::shared_ptr<const MenuModel> model) {
    close();
    model_ = std::move(model);
    redraw();
}

void MenuBar::redraw() {
    // Popups and items may have gone from under an open menu: what no longer matches the
    // model is closed rather than read.
    if (!stillShown()) close();
    repaintAll();
}

bool MenuBar::stillShown() const {
    if (selectedTitle_ < 0) return true;
    if (selectedTitle_ >= titleCount()) return false;
    if (open_.empty()) return true;
    if (open_.front().popup != model_->popups[size_t(selectedTitle_)]) return false;
    for (size_t d = 0; d < open_.size(); ++d) {
        const MenuPopup& popup = *open_[d].popup;
        const int highlighted = open_[d].highlighted;
        if (highlighted >= int(popup.items.size())) return false;
        if (d + 1 < open_.size() && (highlighted < 0 || popup.items[size_t(highlighted)].submenu != open_[d + 1].popup))
            return false;
    }
    return true;
}

int MenuBar::titleCount() const { return model_ ? int(model_->popups.size()) : 0; }

const MenuPopup* MenuBar::titlePopup(int title) const {
    if (title < 0 || title >= titleCount()) return nullptr;
    return model_->popups[size_t(title)].get();
}

gdi::Rect MenuBar::titleRect(int title) const {
    int32_t x = kTitleLeft;
    for (int t = 0; t < titleCount(); ++t) {
        const int32_t width = labelWidth(model_->popups[size_t(t)]->title) + 2 * kTitlePadding;
        if (t == title) return {x, 0, x + width, kHeight};
        x += width;
    }
    return {};
}

gdi::Rect MenuBar::popupRect(int depth) const {
    if (depth < 0 || depth >= int(open_.size())) return {};
    const OpenPopup& open = open_[size_t(depth)];
    return {open.origin.x, open.origin.y, open.origin.x + popupWidth(*open.popup),
            open.origin.y + popupHeight(*open.popup)};
}

gdi::Rect MenuBar::itemRect(int depth, int item) const {
    const gdi::Rect box = popupRect(depth);
    if (box.empty()) return {};
    const MenuPopup& popup = *open_[size_t(depth)].popup;
    if (item < 0 || item >= int(popup.items.size())) return {};
    int32_t y = box.top + kPopupBorder;
    for (int i = 0; i < item; ++i) y += itemHeight(popup.items[size_t(i)]);
    return {box.left + kPopupBorder, y, box.right - kPopupBorder, y + itemHeight(popup.items[size_t(item)])};
}

int MenuBar::titleAt(gdi::Point at) const {
    for (int t = 0; t < titleCount(); ++t) {
        if (titleRect(t).contains(at)) return t;
    }
    return -1;
}

bool MenuBar::hitPopup(gdi::Point at, int* depth, int* item) const {
    for (int d = int(open_.size()) - 1; d >= 0; --d) {
        if (!popupRect(d).contains(at)) continue;
        *depth = d;
        *item = -1;
        for (int i = 0; i < int(open_[size_t(d)].popup->items.size()); ++i) {
            if (itemRect(d, i).contains(at)) *item = i;
        }
        return true;
    }
    return false;
}

void MenuBar::repaintAll() {
    if (!repaint_) return;
    repaint_({0, 0, width_, kHeight});
    for (int d = 0; d < int(open_.size()); ++d) repaint_(popupRect(d));
}

void MenuBar::close() {
    if (selectedTitle_ < 0 && open_.empty()) return;
    repaintAll();
    selectedTitle_ = -1;
    open_.clear();
}

void MenuBar::selectTitle(int title, bool openIt) {
    byPointer_ = false;
    repaintAll();
    open_.clear();
    selectedTitle_ = title;
    const MenuPopup* popup = titlePopup(title);
    if (openIt && popup && !popup->grayed) {
        const gdi::Rect t = titleRect(title);
        open_.push_back({model_->popups[size_t(title)], {t.left, kHeight}, -1});
    }
    repaintAll();
}

void MenuBar::openSubmenu() {
    if (open_.empty()) return;
    const OpenPopup& parent = open_.back();
    if (parent.highlighted < 0) return;
    const MenuItem& item = parent.popup->items[size_t(parent.highlighted)];
    if (item.kind != MenuItem::Kind::Submenu || item.grayed || !item.submenu) return;
    const gdi::Rect from = itemRect(int(open_.size()) - 1, parent.highlighted);
    open_.push_back({item.submenu, {popupRect(int(open_.size()) - 1).right - kPopupBorder, from.top - kPopupBorder}, -1});
    moveHighlight(1);
}

void MenuBar::closeSubmenu() {
    if (open_.size() < 2) return;
    repaintAll();
    open_.pop_back();
    repaintAll();
}

void MenuBar::moveHighlight(int step) {
    if (open_.empty()) return;
    OpenPopup& open = open_.back();
    const int count = int(open.popup->items.size());
    int at = open.highlighted;
    for (int tries = 0; tries < count; ++tries) {
        at = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
        if (selectable(open.popup->items[size_t(at)])) {
            open.highlighted = at;
            repaintAll();
            return;
        }
    }
}

void MenuBar::moveTitle(int step) {
    const int count = titleCount();
    if (count == 0) return;
    const bool wasOpen = !open_.empty();
    selectTitle((selectedTitle_ + step + count) % count, wasOpen);
    if (wasOpen) moveHighlight(1);
}

void MenuBar::chooseHighlighted() {
    if (open_.empty() || open_.back().highlighted < 0) return;
    const MenuItem& item = open_.back().popup->items[size_t(open_.back().highlighted)];
    if (item.grayed || item.kind == MenuItem::Kind::Separator) return;
    if (item.kind == MenuItem::Kind::Submenu) {
        openSubmenu();
        return;
    }
    const uint16_t command = item.command;
    close();
    if (choose_) choose_(command);
}

bool MenuBar::keyDown(uint8_t key) {
    if (key == kVkAlt) {
        altAlone_ = true;
        return active();
    }
    altAlone_ = false;
    if (key == kVkF10) {
        if (active()) {
            close();
        } else if (titleCount() > 0) {
            selectTitle(0, false);
        }
        return titleCount() > 0;
    }
    if (!active()) return false;
    switch (key) {
    case kVkEscape:
        if (open_.size() > 1) {
            closeSubmenu();
        } else if (!open_.empty() && !byPointer_) {
            selectTitle(selectedTitle_, false);
        } else {
            close();
        }
        break;
    case kVkLeft:
        if (open_.size() > 1) {
            closeSubmenu();
        } else {
            moveTitle(-1);
        }
        break;
    case kVkRight: {
        const bool onSubmenu = !open_.empty() && open_.back().highlighted >= 0 &&
                               open_.back().popup->items[size_t(open_.back().highlighted)].kind == MenuItem::Kind::Submenu;
        if (onSubmenu) {
            openSubmenu();
        } else {
            moveTitle(1);
        }
        break;
    }
    case kVkUp:
    case kVkDown:
        if (open_.empty()) {
            selectTitle(selectedTitle_, true);
            moveHighlight(key == kVkDown ? 1 : -1);
        } else {
            moveHighlight(key == kVkDown ? 1 : -1);
        }
        break;
    case kVkReturn:
        if (open_.empty()) {
            selectTitle(selectedTitle_, true);
            moveHighlight(1);
        } else {
            chooseHighlighted();
        }
        break;
    default:
        break;
    }
    return true;
}

bool MenuBar::keyUp(uint8_t key) {
    if (key == kVkAlt && altAlone_) {
        altAlone_ = false;
        if (active()) {
            close();
        } else if (titleCount() > 0) {
            selectTitle(0, false);
        }
        return true;
    }
    return active();
}

bool MenuBar::mouseDown(gdi::Point at) {
    altAlone_ = false;
    const int title = titleAt(at);
    if (title >= 0) {
        if (!open_.empty() && selectedTitle_ == title) {
            close();
        } else {
            selectTitle(title, true);
            byPointer_ = true;
        }
        return true;
    }
    if (!active()) return false;
    int depth = -1;
    int item = -1;
    if (!hitPopup(at, &depth, &item)) close();
    return true;
}

bool MenuBar::mouseMove(gdi::Point at) {
    if (open_.empty()) return false;
    int depth = -1;
    int item = -1;
    if (hitPopup(at, &depth, &item)) {
        if (item >= 0 && !selectable(open_[size_t(depth)].popup->items[size_t(item)])) item = -1;
        if (open_[size_t(depth)].highlighted != item || int(open_.size()) > depth + 1) {
            repaintAll();
            open_.resize(size_t(depth) + 1);
            open_.back().highlighted = item;
            repaintAll();
        }
        return true;
    }
    const int title = titleAt(at);
    if (title >= 0 && title != selectedTitle_) {
        const bool byPointer = byPointer_;
        selectTitle(title, true);
        byPointer_ = byPointer;
    }
    return true;
}

bool MenuBar::mouseUp(gdi::Point at) {
    if (!active()) return false;
    int depth = -1;
    int item = -1;
    if (hitPopup(at, &depth, &item) && item >= 0) {
        open_.resize(size_t(depth) + 1);
        open_.back().highlighted = item;
        chooseHighlighted();
    }
    return true;
}

void MenuBar::draw(gdi::DeviceContext& dc) const {
    fillBox(dc, {0, 0, width_, kHeight - 1}, kFaceColor);
    fillBox(dc, {0, kHeight - 1, width_, kHeight}, kShadowColor);
    const int32_t textTop = (kHeight - labelHeight()) / 2;
    for (int t = 0; t < titleCount(); ++t) {
        const MenuPopup& popup = *model_->popups[size_t(t)];
        const gdi::Rect box = titleRect(t);
        const bool selected = t == selectedTitle_;
        if (selected) fillBox(dc, {box.left, box.top + 1, box.right, box.bottom - 2}, kHighlightColor);
        const gdi::ColorRef color = popup.grayed ? kGrayTextColor : (selected ? kHighlightTextColor : kTextColor);
        drawLabel(dc, {box.left + kTitlePadding, textTop}, popup.title, color);
    }
    for (int d = 0; d < int(open_.size()); ++d) drawPopup(dc, d);
}

void MenuBar::drawPopup(gdi::DeviceContext& dc, int depth) const {
    const OpenPopup& open = open_[size_t(depth)];
    const gdi::Rect box = popupRect(depth);
    fillBox(dc, box, kFaceColor);
    bevelBox(dc, box, false);
    for (int i = 0; i < int(open.popup->items.size()); ++i) {
        const MenuItem& item = open.popup->items[size_t(i)];
        const gdi::Rect r = itemRect(depth, i);
        if (item.kind == MenuItem::Kind::Separator) {
            fillBox(dc, {r.left + 2, r.top + 3, r.right - 2, r.top + 4}, kShadowColor);
            fillBox(dc, {r.left + 2, r.top + 4, r.right - 2, r.top + 5}, kLightColor);
            continue;
        }
        const bool lit = i == open.highlighted;
        if (lit) fillBox(dc, r, kHighlightColor);
        const gdi::ColorRef color = item.grayed ? kGrayTextColor : (lit ? kHighlightTextColor : kTextColor);
        const int32_t top = r.top + (kItemHeight - labelHeight()) / 2;
        drawLabel(dc, {r.left + kTextInset, top}, textPart(item.text), color);
        const std::string_view accel = accelPart(item.text);
        if (!accel.empty()) drawLabel(dc, {r.right - kTextInset - labelWidth(accel), top}, accel, color);
        if (item.kind == MenuItem::Kind::Submenu) drawLabel(dc, {r.right - 14, top}, ">", color);
    }
}

}  // namespace plat::widgets
