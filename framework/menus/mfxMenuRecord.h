#pragma once
// The menu record that copies of an mfxMenu and the bars showing it share.
#include <memory>
#include <vector>

#include "framework/format/MenuFormat.h"
#include "framework/menus/mfxMenu.h"

struct mfxMenu::Record {
    std::shared_ptr<plat::widgets::MenuModel> model = std::make_shared<plat::widgets::MenuModel>();
    std::vector<Accelerator> barAccelerators;
    std::vector<mfxMenuBar*> bars;
};
