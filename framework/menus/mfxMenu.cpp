#include "framework/menus/mfxMenu.h"

#include <algorithm>

#include "framework/resources/mfxReadResource.h"
#include "framework/menus/mfxMenuBar.h"
#include "framework/menus/mfxMenuRecord.h"
#include "platform/keyboard/VirtualKeys.h"

using plat::widgets::MenuItem;
using plat::widgets::MenuPopup;

namespace {

constexpr FourCC kMenuType = fourCC("MENU");

bool byCommand(u32 item) { return (item & 0xFFFF) == 1; }
u16 itemKey(u32 item) { return u16(item >> 16); }

struct Found {
    std::vector<MenuItem>* siblings = nullptr;
    size_t index = 0;
    MenuItem& item() const { return (*siblings)[index]; }
};

bool findCommand(MenuPopup& popup, u16 command, Found* found) {
    for (size_t i = 0; i < popup.items.size(); ++i) {
        MenuItem& item = popup.items[i];
        if (item.kind == MenuItem::Kind::Command && item.command == command) {
            *found = Found{&popup.items, i};
            return true;
        }
        if (item.kind == MenuItem::Kind::Submenu && item.submenu && findCommand(*item.submenu, command, found))
            return true;
    }
    return false;
}

// The submenu item whose own submenu lists the command.
bool findSubmenuHolding(MenuPopup& popup, u16 command, Found* found) {
    for (size_t i = 0; i < popup.items.size(); ++i) {
        MenuItem& item = popup.items[i];
        if (item.kind != MenuItem::Kind::Submenu || !item.submenu) continue;
        const auto& inside = item.submenu->items;
        if (std::any_of(inside.begin(), inside.end(), [&](const MenuItem& m) {
                return m.kind == MenuItem::Kind::Command && m.command == command;
            })) {
            *found = Found{&popup.items, i};
            return true;
        }
        if (findSubmenuHolding(*item.submenu, command, found)) return true;
    }
    return false;
}

bool findSubmenuInModel(const plat::widgets::MenuModel& model, u16 command, Found* found) {
    for (const auto& popup : model.popups) {
        if (findSubmenuHolding(*popup, command, found)) return true;
    }
    return false;
}

bool findInModel(const plat::widgets::MenuModel& model, u16 command, Found* found) {
    for (const auto& popup : model.popups) {
        if (findCommand(*popup, command, found)) return true;
    }
    return false;
}

std::string keyName(u16 key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
    if (key >= plat::kVkF1 && key <= plat::kVkF12) return std::string("F").append(std::to_string(key - plat::kVkF1 + 1));
    switch (key) {
    case plat::kVkDelete: return "Del";
    case plat::kVkInsert: return "Ins";
    case plat::kVkReturn: return "Enter";
    case plat::kVkEscape: return "Esc";
    case plat::kVkSpace: return "Space";
    default: return std::string("#").append(std::to_string(key));
    }
}

std::shared_ptr<MenuPopup> buildPopup(const MenuPopupData& data) {
    auto popup = std::make_shared<MenuPopup>();
    popup->title = data.title.fallback;
    popup->grayed = (data.flags & kMenuFlagGrayed) != 0;
    for (const MenuItemData& source : data.items) {
        MenuItem item;
        item.kind = source.kind == MenuItemKind::Separator ? MenuItem::Kind::Separator
                    : source.kind == MenuItemKind::Submenu ? MenuItem::Kind::Submenu
                                                           : MenuItem::Kind::Command;
        item.command = source.command;
        item.grayed = (source.flags & kMenuFlagGrayed) != 0;
        item.accelKey = source.accelKey;
        item.accelModifiers = source.accelModifiers;
        item.text = source.text.fallback;
        const std::string accel = mfxAcceleratorName(item.accelKey, item.accelModifiers);
        if (!accel.empty()) item.text += "\t" + accel;
        if (item.kind == MenuItem::Kind::Submenu) item.submenu = buildPopup(source.submenu.front());
        popup->items.push_back(std::move(item));
    }
    return popup;
}

}  // namespace

std::string mfxAcceleratorName(u16 key, u16 modifiers) {
    if (key == 0) return {};
    std::string name;
    if (modifiers & kAccelControl) name += "Ctrl+";
    if (modifiers & kAccelAlt) name += "Alt+";
    if (modifiers & kAccelShift) name += "Shift+";
    return name.append(keyName(key));
}

mfxPopup mfxPopup::FromMenu(const mfxMenu& menu, u16 position) {
    mfxPopup popup;
    const auto& popups = menu.record_->model->popups;
    if (position < popups.size()) popup.popup_ = popups[position];
    return popup;
}

mfxMenu::mfxMenu() : record_(std::make_shared<Record>()) {}

EngineErr mfxMenu::LoadMenuResource(u16 id) {
    std::vector<u8> bytes;
    if (EngineErr err = mfxReadResource(kMenuType, id, &bytes); err != kErrNone) return err;
    MenuResource resource;
    if (EngineErr err = parseMenuResource(bytes, &resource); err != kErrNone) return err;
    SetFromResource(resource);
    return kErrNone;
}

void mfxMenu::SetFromResource(const MenuResource& resource) {
    record_->model->popups.clear();
    for (const MenuPopupData& popup : resource.popups) record_->model->popups.push_back(buildPopup(popup));
    record_->barAccelerators = resource.accelerators;
    RedrawMenuBars();
}

bool mfxMenu::EnableItem(u32 item, bool enable) {
    auto& popups = record_->model->popups;
    if (byCommand(item)) {
        Found found;
        if (!findInModel(*record_->model, itemKey(item), &found)) return false;
        found.item().grayed = !enable;
    } else {
        if (itemKey(item) >= popups.size()) return false;
        popups[itemKey(item)]->grayed = !enable;
    }
    RedrawMenuBars();
    return true;
}

bool mfxMenu::HasItem(u32 item) const {
    if (!byCommand(item)) return itemKey(item) < record_->model->popups.size();
    Found found;
    return findInModel(*record_->model, itemKey(item), &found);
}

bool mfxMenu::DeleteItem(u32 item) {
    auto& popups = record_->model->popups;
    if (byCommand(item)) {
        Found found;
        if (!findInModel(*record_->model, itemKey(item), &found)) return false;
        found.siblings->erase(found.siblings->begin() + long(found.index));
    } else {
        if (itemKey(item) >= popups.size()) return false;
        popups.erase(popups.begin() + itemKey(item));
    }
    RedrawMenuBars();
    return true;
}

bool mfxMenu::FormatAcceleratorText(u32 item, const std::string& text) {
    if (!byCommand(item)) {
        if (itemKey(item) >= record_->model->popups.size()) return false;
        record_->model->popups[itemKey(item)]->title = text;
        RedrawMenuBars();
        return true;
    }
    Found found;
    if (!findInModel(*record_->model, itemKey(item), &found)) return false;
    MenuItem& target = found.item();
    const std::string accel = mfxAcceleratorName(target.accelKey, target.accelModifiers);
    target.text = accel.empty() ? text : text + "\t" + accel;
    RedrawMenuBars();
    return true;
}

std::string mfxMenu::ItemText(u32 item) const {
    if (!byCommand(item)) {
        return itemKey(item) < record_->model->popups.size() ? record_->model->popups[itemKey(item)]->title : "";
    }
    Found found;
    return findInModel(*record_->model, itemKey(item), &found) ? found.item().text : "";
}

bool mfxMenu::SetSubmenuText(u16 commandInside, const std::string& text) {
    Found found;
    if (!findSubmenuInModel(*record_->model, commandInside, &found)) return false;
    found.item().text = text;
    RedrawMenuBars();
    return true;
}

std::string mfxMenu::SubmenuText(u16 commandInside) const {
    Found found;
    return findSubmenuInModel(*record_->model, commandInside, &found) ? found.item().text : "";
}

bool mfxMenu::IsItemEnabled(u32 item) const {
    if (!byCommand(item)) {
        return itemKey(item) < record_->model->popups.size() && !record_->model->popups[itemKey(item)]->grayed;
    }
    Found found;
    return findInModel(*record_->model, itemKey(item), &found) && !found.item().grayed;
}

mfxPopup mfxMenu::RemoveSubMenu(u16 position) {
    mfxPopup popup;
    auto& popups = record_->model->popups;
    if (position >= popups.size()) return popup;
    popup.popup_ = popups[position];
    popups.erase(popups.begin() + position);
    RedrawMenuBars();
    return popup;
}

void mfxMenu::InsertSubMenu(u16 position, const std::string& title, const mfxPopup& popup) {
    auto& popups = record_->model->popups;
    if (popup.IsEmpty()) throw mfxMenuError("no popup to insert");
    if (position > popups.size()) throw mfxMenuError("menu position past the bar's end");
    popup.popup_->title = title;
    popups.insert(popups.begin() + position, popup.popup_);
    RedrawMenuBars();
}

u16 mfxMenu::PopupCount() const { return u16(record_->model->popups.size()); }

void mfxMenu::RedrawMenuBars() {
    for (mfxMenuBar* bar : record_->bars) bar->Redraw();
}

namespace {

u16 findAccelerator(const MenuPopup& popup, u16 key, u16 modifiers) {
    if (popup.grayed) return 0;
    for (const MenuItem& item : popup.items) {
        if (item.grayed) continue;
        if (item.kind == MenuItem::Kind::Command && item.accelKey == key && item.accelModifiers == modifiers)
            return item.command;
        if (item.kind == MenuItem::Kind::Submenu && item.submenu) {
            if (u16 command = findAccelerator(*item.submenu, key, modifiers); command != 0) return command;
        }
    }
    return 0;
}

}  // namespace

bool mfxMenu::HasAccelerator(u16 command, u16 key, u16 modifiers) const {
    Found found;
    return findInModel(*record_->model, command, &found) && found.item().accelKey == key &&
           found.item().accelModifiers == modifiers;
}

u16 mfxMenu::TranslateAccelerator(u16 key, u16 modifiers) const {
    for (const auto& popup : record_->model->popups) {
        if (u16 command = findAccelerator(*popup, key, modifiers); command != 0) return command;
    }
    for (const Accelerator& accel : record_->barAccelerators) {
        if (accel.key == key && accel.modifiers == modifiers) return accel.command;
    }
    return 0;
}
