#pragma once
// The menu resource 'MENU': a menu bar of popups whose items carry a command, state flags, an
// accelerator and a text. All fields are big-endian, in this order:
//
//   u16 version (1)
//   u16 popup count (at most kMaxMenuPopups), then each popup:
//     text  title (TextRef: u16 length + key bytes, u16 length + fallback bytes)
//     u16   popup flags (kMenuFlagGrayed)
//     u16   item count (at most kMaxMenuItems), then each item:
//       u16  kind (MenuItemKind)
//       u16  command (0 for separators and submenus)
//       u16  item flags (kMenuFlagGrayed, kMenuFlagChecked)
//       u16  accelerator key (a virtual-key code, 0: none)
//       u16  accelerator modifiers (kAccel* bits)
//       text item text (TextRef)
//       a submenu item is followed by its popup, written as above (at most kMaxMenuDepth deep)
//   u16 count of bar accelerators (at most kMaxMenuAccelerators), then each:
//     u16 key, u16 modifiers, u16 command
//
// Bar accelerators belong to no item: they stay with the bar when popups are moved out of it.
// Pure functions over byte buffers; callable from any thread.
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "framework/format/TextRef.h"

constexpr u16 kMenuFormatVersion = 1;
constexpr size_t kMaxMenuPopups = 16;
constexpr size_t kMaxMenuItems = 48;
constexpr size_t kMaxMenuAccelerators = 64;
constexpr int kMaxMenuDepth = 3;  // the bar's popups are depth 1

constexpr u16 kMenuFlagGrayed = 0x0001;
constexpr u16 kMenuFlagChecked = 0x0002;

constexpr u16 kAccelControl = 0x0001;
constexpr u16 kAccelShift = 0x0002;
constexpr u16 kAccelAlt = 0x0004;

enum class MenuItemKind : u16 { Command = 0, Separator = 1, Submenu = 2 };

struct Accelerator {
    u16 key = 0;
    u16 modifiers = 0;
    u16 command = 0;
    friend bool operator==(const Accelerator&, const Accelerator&) = default;
};

struct MenuPopupData;

struct MenuItemData {
    MenuItemKind kind = MenuItemKind::Command;
    u16 command = 0;
    u16 flags = 0;
    u16 accelKey = 0;
    u16 accelModifiers = 0;
    TextRef text;
    std::vector<MenuPopupData> submenu;  // one popup for a submenu item, else empty
    friend bool operator==(const MenuItemData&, const MenuItemData&) = default;
};

struct MenuPopupData {
    TextRef title;
    u16 flags = 0;
    std::vector<MenuItemData> items;
    friend bool operator==(const MenuPopupData&, const MenuPopupData&) = default;
};

struct MenuResource {
    std::vector<MenuPopupData> popups;
    std::vector<Accelerator> accelerators;
    friend bool operator==(const MenuResource&, const MenuResource&) = default;
};

EngineErr parseMenuResource(std::span<const u8> bytes, MenuResource* out);
// Refuses what the reader would refuse (counts, text lengths, depth), writing nothing.
EngineErr writeMenuResource(const MenuResource& menu, std::vector<u8>* out);
