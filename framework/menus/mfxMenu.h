#pragma once
// Menu bars and their popups. An mfxMenu shares one reference-counted menu record with its
// copies and with the bars that show it (mfxMenuBar); an mfxPopup holds one popup, shared
// the same way, so that a popup taken out of a bar can be kept and put back.
//
// Items are named as the program writes them: mfxMenuCommand(command) = (command << 16) | 1
// finds the first item with that command, in any popup or submenu; mfxMenuPosition(position)
// = position << 16 is the popup at that position of the bar. An item's accelerator is
// listed with it; the menu resource's bar accelerators belong to no item and stay with the
// bar. Loading takes each text's fallback: the program replaces texts from its language
// files itself. User-interface thread only.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "framework/format/MenuFormat.h"
#include "platform/widgets/MenuModel.h"

class mfxMenu;
class mfxMenuBar;

constexpr u32 mfxMenuCommand(u16 command) { return (u32(command) << 16) | 1; }
constexpr u32 mfxMenuPosition(u16 position) { return u32(position) << 16; }

// InsertSubMenu could not insert the popup.
class mfxMenuError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class mfxPopup {
public:
    mfxPopup() = default;
    // Shares the other's popup.
    void Assign(const mfxPopup& other) { popup_ = other.popup_; }
    // Shares the popup at a position of the menu's bar (empty when there is none).
    static mfxPopup FromMenu(const mfxMenu& menu, u16 position);
    bool IsEmpty() const { return !popup_; }

private:
    friend class mfxMenu;
    std::shared_ptr<plat::widgets::MenuPopup> popup_;
};

class mfxMenu {
public:
    mfxMenu();

    // Reads menu resource 'MENU' `id` from the open resource archives.
    EngineErr LoadMenuResource(u16 id);
    void SetFromResource(const MenuResource& resource);

    // Each returns false when there is no such item.
    bool EnableItem(u32 item, bool enable);
    bool HasItem(u32 item) const;
    bool DeleteItem(u32 item);
    // Sets the item's text followed by the name of its accelerator ("Save As...\tCtrl+S").
    bool FormatAcceleratorText(u32 item, const std::string& text);
    // The text shown for the item, accelerator name included; empty when there is none.
    std::string ItemText(u32 item) const;
    // The item that opens the submenu holding `commandInside`, which has no command of its
    // own to be named by: its text is set, or read (empty when there is none).
    bool SetSubmenuText(u16 commandInside, const std::string& text);
    std::string SubmenuText(u16 commandInside) const;
    bool IsItemEnabled(u32 item) const;

    // Takes the popup at a bar position out of the bar, with its items' accelerators.
    mfxPopup RemoveSubMenu(u16 position);
    // Puts a popup into the bar at `position` (0..count) under `title`; throws mfxMenuError
    // for an empty popup or a position past the end.
    void InsertSubMenu(u16 position, const std::string& title, const mfxPopup& popup);
    u16 PopupCount() const;
    // Redraws every bar that shows this menu.
    void RedrawMenuBars();

    // The command of the accelerator for a key with its modifiers (kAccel* bits), or 0. An
    // item's accelerator counts only while the item and its popups are enabled.
    u16 TranslateAccelerator(u16 key, u16 modifiers) const;
    // Whether the item of `command` has that accelerator, whether it can be used now or not.
    bool HasAccelerator(u16 command, u16 key, u16 modifiers) const;

private:
    friend class mfxMenuBar;
    friend class mfxPopup;
    struct Record;
    std::shared_ptr<Record> record_;
};

// The name of an accelerator as menus show it ("Ctrl+S", "Ctrl+Shift+F5"); empty for no key.
std::string mfxAcceleratorName(u16 key, u16 modifiers);
