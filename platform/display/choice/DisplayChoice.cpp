#include "platform/display/choice/DisplayChoice.h"

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/system/Headless.h"

namespace plat {
namespace {

DisplayDriver* installed = nullptr;

DisplayDriver& startupDriver() {
    static std::unique_ptr<DisplayDriver> chosen = [] {
        std::unique_ptr<DisplayDriver> driver;
        if (!headlessRequested()) driver = makeSdlDisplay();
        if (!driver) driver = std::make_unique<HeadlessDisplay>();
        return driver;
    }();
    return *chosen;
}

}  // namespace

DisplayDriver& displayDriver() { return installed ? *installed : startupDriver(); }

void setDisplayDriver(DisplayDriver* driver) { installed = driver; }

}  // namespace plat
