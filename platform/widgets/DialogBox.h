#pragma once
// A dialog drawn by us inside a window: a framed box with a title bar, centred in the
// window's client area, holding items (DialogItem.h). It takes the window's keys and mouse
// while it is up and turns them into item state and events:
//   - Tab and Shift+Tab move the focus through the enabled, visible buttons, check boxes,
//     radio buttons, edit fields and lists, in item order, wrapping;
//   - Enter reports the focused button, check box, radio button or multi-line edit field,
//     else the enabled default button; Space reports the focused button, check box or radio;
//     Escape asks the dialog to close;
//   - an edit field with the focus takes typed characters (up to its limit; digits only for a
//     number field), Backspace, Delete, Left, Right, Home and End;
//   - a list with the focus moves its selection with Up and Down;
//   - a press on a button, check box or radio button reports a click when released over it;
//     a press on a list selects the entry under it, a double click reports it; a press on an
//     edit field gives it the focus and puts the caret at the end.
// Check boxes and radio buttons do not change themselves: their owner decides. Every change
// of pixels is reported through `repaint` in window coordinates. User-interface thread.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/widgets/DialogItem.h"

namespace plat::widgets {

class DialogBox {
public:
    static constexpr int32_t kTitleHeight = 20;
    static constexpr int32_t kBorder = 3;
    static constexpr int32_t kListRowHeight = 16;

    DialogBox(std::string title, int32_t width, int32_t height, std::vector<DialogItem> items);

    void setEventSink(std::function<void(const DialogEvent&)> sink) { sink_ = std::move(sink); }
    void setRepaint(std::function<void(const gdi::Rect&)> repaint) { repaint_ = std::move(repaint); }
    // Centres the box in the window's client area.
    void placeIn(const gdi::Rect& client);
    gdi::Rect frameRect() const;
    // Where the dialog's client pixel (0, 0) lies in the window.
    gdi::Point clientOrigin() const;

    void setTitle(std::string title);
    DialogItem* find(uint16_t id);
    const DialogItem* find(uint16_t id) const;
    const std::vector<DialogItem>& items() const { return items_; }
    // Marks an item's pixels for repainting after its state was changed through find().
    void changed(uint16_t id);

    uint16_t focus() const;
    void setFocus(uint16_t id);
    void setDefaultButton(uint16_t id);
    bool closeRequested() const { return closeRequested_; }

    void keyDown(uint8_t virtualKey, bool shift);
    void character(uint8_t ch);
    void mouseDown(gdi::Point inWindow, bool doubleClick);
    void mouseUp(gdi::Point inWindow);

    void draw(gdi::DeviceContext& dc) const;

private:
    int indexOf(uint16_t id) const;
    int itemAt(gdi::Point inWindow) const;
    gdi::Rect windowRect(const DialogItem& item) const;
    void report(const DialogItem& item, uint16_t notification, uint8_t key);
    void reportList(const DialogItem& item, uint16_t kind, uint16_t notification);
    void moveFocus(int step);
    void focusIndex(int index);
    void selectEntry(DialogItem& list, int entry);
    void editKey(DialogItem& edit, uint8_t virtualKey);
    void repaintItem(int index);
    void drawItem(gdi::DeviceContext& dc, const DialogItem& item, bool focused, bool pressed) const;

    std::string title_;
    int32_t width_;
    int32_t height_;
    std::vector<DialogItem> items_;
    gdi::Point origin_;
    int focus_ = -1;
    int pressed_ = -1;
    bool closeRequested_ = false;
    // Space just used an item: the character the same key sends is no typing, even when the
    // use moved the focus into an edit field.
    bool spaceUsed_ = false;
    std::function<void(const DialogEvent&)> sink_;
    std::function<void(const gdi::Rect&)> repaint_;
};

}  // namespace plat::widgets
