#pragma once
// The dialog template resource 'DLOG': a dialog's size, title and items. All fields are
// big-endian, in this order:
//
//   u16  version (1)
//   u16  width, u16 height (client pixels, each 1..kMaxDialogExtent)
//   text title (TextRef: u16 length + key bytes, u16 length + fallback bytes)
//   u16  item count (at most kMaxDialogItems), then each item:
//     u16  id
//     u16  kind (DialogItemKind)
//     u16  flags (kDlgItem* bits)
//     i16  left, top, right, bottom (inside the dialog's client area, left < right, top < bottom)
//     u16  limit: the most characters of an edit field (0: kDefaultEditLimit), or the picture
//          id of a picture or group; 0 for the other kinds
//     text item text (TextRef)
//
// Items are kept in template order, which is also the Tab order. Pure functions over byte
// buffers; callable from any thread.
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "framework/format/TextRef.h"

constexpr u16 kDialogFormatVersion = 1;
constexpr size_t kMaxDialogItems = 64;
constexpr i32 kMaxDialogExtent = 2048;
constexpr u16 kDefaultEditLimit = 32000;

enum class DialogItemKind : u16 {
    Button = 1,
    CheckBox = 2,
    Radio = 3,
    Label = 4,
    Edit = 5,
    List = 6,
    Picture = 7,
    Group = 8,
};

constexpr u16 kDlgItemDisabled = 0x0001;
constexpr u16 kDlgItemChecked = 0x0002;
constexpr u16 kDlgItemDefault = 0x0004;    // the default button: Enter presses it
constexpr u16 kDlgItemHidden = 0x0008;
constexpr u16 kDlgItemMultiLine = 0x0010;  // an edit field that takes Enter as a key
constexpr u16 kDlgItemNumber = 0x0020;     // an edit field that takes digits only
constexpr u16 kDlgItemFocus = 0x0040;      // has the focus when the dialog opens
constexpr u16 kDlgItemChoice = 0x0080;     // a list whose entries are a choice of one

struct DialogRect {
    i16 left = 0;
    i16 top = 0;
    i16 right = 0;
    i16 bottom = 0;
    friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

struct DialogItemTemplate {
    u16 id = 0;
    DialogItemKind kind = DialogItemKind::Label;
    u16 flags = 0;
    DialogRect rect;
    u16 limit = 0;
    TextRef text;
    friend bool operator==(const DialogItemTemplate&, const DialogItemTemplate&) = default;
};

struct DialogTemplate {
    u16 width = 0;
    u16 height = 0;
    TextRef title;
    std::vector<DialogItemTemplate> items;
    friend bool operator==(const DialogTemplate&, const DialogTemplate&) = default;
};

EngineErr parseDialogTemplate(std::span<const u8> bytes, DialogTemplate* out);
// Refuses what the reader would refuse, writing nothing.
EngineErr writeDialogTemplate(const DialogTemplate& dialog, std::vector<u8>* out);
