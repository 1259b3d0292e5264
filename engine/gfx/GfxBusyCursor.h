#pragma once
// The busy cursor for the life of the object, over work that keeps the user waiting (saving,
// opening, exporting, printing). It shows at once, as such work pumps no events meanwhile,
// and the cursor in use before comes back at the end. Scopes nest. User-interface thread only.
#include "engine/gfx/GfxDraw.h"

class GfxBusyCursor {
public:
    GfxBusyCursor();
    ~GfxBusyCursor();
    GfxBusyCursor(const GfxBusyCursor&) = delete;
    GfxBusyCursor& operator=(const GfxBusyCursor&) = delete;

private:
    GfxCursorInUse previous_;
};
