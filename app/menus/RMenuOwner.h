#pragma once
// Marks the owners whose in-window dialogs hand the menu bar back to the screen when they
// close: the application, the screens, the canvases, the tool panels, the main window and the
// help. A dialog of any other owner leaves the menus as they are.
namespace Ostrel {

class RMenuOwner {
public:
    virtual ~RMenuOwner() = default;
};

}  // namespace Ostrel
