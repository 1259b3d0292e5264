#include "platform/display/choice/DisplayChoice.h"

#include <cstdlib>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/system/BackendChoice.h"

namespace plat {
namespace {

// Set by the start-up choice alone: SDL found no display to open, or one that did not answer.
bool refusedAtChoice = false;
bool silentAtChoice = false;

BackendChoice<DisplayDriver>& choice() {
    static BackendChoice<DisplayDriver> displays(
        [] {
            std::unique_ptr<DisplayDriver> sdl = makeSdlDisplay();
            refusedAtChoice = !sdl && sdlDisplayRefused();
            silentAtChoice = !sdl && sdlDisplaySilent();
            return sdl;
        },
        [] { return std::make_unique<HeadlessDisplay>(); });
    return displays;
}

}  // namespace

DisplayDriver& displayDriver() { return choice().current(); }

bool displayRefused() {
    displayDriver();
    return refusedAtChoice || (headlessRequested() && !headlessAskedFor());
}

bool displaySilent() { return displayRefused() && silentAtChoice; }

std::string displayName() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* value = std::getenv(name); value && *value) return value;
    return {};
}

void setDisplayDriver(DisplayDriver* driver) { choice().install(driver); }

}  // namespace plat
