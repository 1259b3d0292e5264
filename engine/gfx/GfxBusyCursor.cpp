#include "engine/gfx/GfxBusyCursor.h"

#include "engine/gfx/GfxModule.h"
#include "platform/display/choice/DisplayChoice.h"

namespace {

// The cursor calls leave their result in the module's last error; the work around them must
// not find it changed.
template <typename Change>
void changeKeepingLastError(Change change) {
    const EngineErr kept = gfxGetLastError();
    change();
    plat::displayDriver().showServiceCursor();
    gfxSetError(kept);
}

}  // namespace

GfxBusyCursor::GfxBusyCursor() : previous_(gfxGetCursorInUse()) {
    changeKeepingLastError([] { gfxSetCursor(kGfxCursorWait); });
}

GfxBusyCursor::~GfxBusyCursor() {
    changeKeepingLastError([this] { gfxRestoreCursor(previous_); });
}
