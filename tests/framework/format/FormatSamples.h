#pragma once
// Sample menus, dialog templates and strings for tests and fuzz seeds, built as data and
// written by the format writers.
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

}  // namespace testfmt
