#include "platform/display/choice/DisplayChoice.h"

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/system/BackendChoice.h"

namespace plat {
namespace {

BackendChoice<DisplayDriver>& choice() {
    static BackendChoice<DisplayDriver> displays([] { return makeSdlDisplay(); },
                                                 [] { return std::make_unique<HeadlessDisplay>(); });
    return displays;
}

}  // namespace

DisplayDriver& displayDriver() { return choice().current(); }

void setDisplayDriver(DisplayDriver* driver) { choice().install(driver); }

}  // namespace plat
