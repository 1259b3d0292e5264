#pragma once
// Sample menus, dialog templates and strings for tests and fuzz seeds, built as data and
// written by the format writers.
#include "framework/format/ButtonSetFormat.h"
#include "framework/format/DialogFormat.h"
#include "framework/format/MenuFormat.h"

namespace testfmt {

constexpr u16 kVkB = 'B';
constexpr u16 kVkS = 'S';
constexpr u16 kVkQ = 'Q';
constexpr u16 kVkZ = 'Z';

inline MenuItemData command(u16 id, const char* key, const char* text, u16 accelKey = 0, u16 flags = 0) {
    MenuItemData item;
    item.command = id;
    item.text = {key, text};
    item.flags = flags;
    if (accelKey != 0) {
        item.accelKey = accelKey;
        item.accelModifiers = kAccelControl;
    }
    return item;
}

inline MenuItemData separator() {
    MenuItemData item;
    item.kind = MenuItemKind::Separator;
    return item;
}

inline MenuItemData submenu(const char* key, const char* text, MenuPopupData popup) {
    MenuItemData item;
    item.kind = MenuItemKind::Submenu;
    item.text = {key, text};
    item.submenu.push_back(std::move(popup));
    return item;
}

// File and Edit menus with a submenu, a grayed item and one bar accelerator (Ctrl+B → 702).
inline MenuResource sampleMenu() {
    MenuResource menu;
    MenuPopupData file{{"File", "File"}, 0, {}};
    file.items = {command(108, "New", "New"), command(102, "SaveAs", "Save As...", kVkS), separator(),
                  command(107, "Exit", "Exit", kVkQ)};
    MenuPopupData chars{{"", "Characters"}, 0, {command(401, "", "\xBF"), command(402, "", "\xA1")}};
    MenuPopupData edit{{"Edit", "Edit"}, 0, {}};
    edit.items = {command(201, "Undo", "Undo", kVkZ), command(204, "Paste", "Paste", 0, kMenuFlagGrayed),
                  submenu("SpecialCharacters", "Special Characters", chars)};
    menu.popups = {file, edit};
    menu.accelerators = {{kVkB, kAccelControl, 702}};
    return menu;
}

inline DialogItemTemplate item(u16 id, DialogItemKind kind, DialogRect rect, const char* text, u16 flags = 0,
                               u16 limit = 0) {
    return DialogItemTemplate{id, kind, flags, rect, limit, {"", text}};
}

// A note-style dialog: labels, an edit field, a check box, radios, a list, OK and Cancel.
inline DialogTemplate sampleDialog() {
    DialogTemplate d;
    d.width = 300;
    d.height = 200;
    d.title = {"AddNoteDlg", "Add a Note"};
    d.items = {
        item(1098, DialogItemKind::Label, {10, 10, 200, 26}, "Write your note:"),
        item(1100, DialogItemKind::Edit, {10, 30, 290, 54}, "", kDlgItemFocus, 12),
        item(1101, DialogItemKind::CheckBox, {10, 60, 200, 76}, "Read in Spanish"),
        item(1000, DialogItemKind::Radio, {10, 80, 100, 96}, "One", kDlgItemChecked),
        item(1001, DialogItemKind::Radio, {110, 80, 200, 96}, "Two"),
        item(1005, DialogItemKind::List, {10, 100, 150, 160}, ""),
        item(1041, DialogItemKind::Group, {160, 100, 290, 160}, "Preview", 0, 900),
        item(1102, DialogItemKind::Button, {120, 170, 200, 194}, "OK", kDlgItemDefault),
        item(1103, DialogItemKind::Button, {210, 170, 290, 194}, "Cancel"),
    };
    return d;
}

// A dialog's button row: a push button with its own rectangle, a toggle on its shape's rectangle,
// and a region-shaped select button in group 2 that starts hidden.
inline std::vector<ButtonRecord> sampleButtons() {
    ButtonRecord ok;
    ok.id = 1038;
    ok.shapes = {900, 901, 902, 0};
    ok.left = 10, ok.top = 20, ok.right = 90, ok.bottom = 44;
    ok.cursorOver = 9, ok.cursorPressed = 8;
    ok.clickMessage = 243;
    ok.hoverMessage = 344;
    ButtonRecord sound = ok;
    sound.id = 1039;
    sound.kind = ButtonKind::Toggle;
    sound.shapes = {910, 911, 912, 913};
    sound.left = sound.top = sound.right = sound.bottom = 0;
    sound.hotSpotKind = ButtonHotSpotKind::ShapeRect;
    sound.clickMessage = 0x73636874;  // a four-character code
    sound.hoverMessage = 0;
    ButtonRecord star = ok;
    star.id = 1040;
    star.kind = ButtonKind::Select;
    star.hotSpotKind = ButtonHotSpotKind::Region;
    star.regionId = 77;
    star.group = 2;
    star.flags = kButtonFlagHidden | kButtonFlagDisabled;
    star.clickMessage = 18352;
    return {ok, sound, star};
}

}  // namespace testfmt
