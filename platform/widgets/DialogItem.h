#pragma once
// What a dialog drawn by us holds: its items with their state, and the events the user's
// actions produce. Rectangles are in the dialog's client pixels. Texts are cp1252.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/Geometry.h"
#include "platform/gdi/Surface.h"

namespace plat::widgets {

enum class DialogItemKind { Button, CheckBox, Radio, Label, Edit, List, Picture, Group, Icon };
enum class AlertIcon { None, Information, Question, Exclamation, Stop };

struct DialogItem {
    uint16_t id = 0;
    DialogItemKind kind = DialogItemKind::Label;
    gdi::Rect rect;
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool isDefault = false;
    bool multiLine = false;   // an edit field that takes Enter as a key
    bool numberOnly = false;  // an edit field that takes digits only
    bool choice = false;      // a list whose entries are a choice of one, marked like radio buttons
    uint16_t limit = 32000;   // the most characters of an edit field
    uint16_t pictureId = 0;
    gdi::Surface* picture = nullptr;  // shown by a picture item; owned by the caller
    AlertIcon icon = AlertIcon::None;
    // Lists: the entries, the selected one (-1: none) and the first one shown.
    std::vector<std::string> entries;
    int selected = -1;
    int top = 0;
    // Edit fields: the selection, with the caret at its end.
    size_t selectionStart = 0;
    size_t selectionEnd = 0;

    bool focusable() const;
};

// An event the user's action produced. Buttons, check boxes, radio buttons and edit fields
// report kDialogEventItem: clicked, or a key (Enter or Space) with its character; a list
// reports its selection changing and a double click under their own kinds.
struct DialogEvent {
    uint16_t kind = 0;
    uint16_t item = 0;
    uint16_t notification = 0;
    uint8_t key = 0;
    friend bool operator==(const DialogEvent&, const DialogEvent&) = default;
};

constexpr uint16_t kDialogEventItem = 10;
constexpr uint16_t kDialogNotifyClicked = 2;
constexpr uint16_t kDialogNotifyKey = 5;
constexpr uint16_t kDialogEventListDoubleClick = 40;
constexpr uint16_t kDialogEventListSelection = 41;
constexpr uint16_t kDialogNotifyListDoubleClick = 0x28;
constexpr uint16_t kDialogNotifyListSelection = 0x29;

}  // namespace plat::widgets
