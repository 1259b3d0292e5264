#pragma once
// What a menu bar shows: popups of items, each item a command, a separator or a submenu.
// An item's text may hold a tab; what follows it is the accelerator's name, drawn at the
// popup's right edge. Popups are shared: the framework moves them between bars and holders.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat::widgets {

struct MenuPopup;

struct MenuItem {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    uint16_t command = 0;
    std::string text;
    bool grayed = false;
    uint16_t accelKey = 0;        // a virtual-key code, 0: none
    uint16_t accelModifiers = 0;  // the framework's accelerator modifier bits
    std::shared_ptr<MenuPopup> submenu;
};

struct MenuPopup {
    std::string title;
    bool grayed = false;
    std::vector<MenuItem> items;
};

struct MenuModel {
    std::vector<std::shared_ptr<MenuPopup>> popups;
};

}  // namespace plat::widgets
