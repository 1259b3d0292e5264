// Shows the engine's test picture in a window until the window is closed or Escape is
// pressed. On a headless display it draws the picture, reports it and ends.
#include <cstdio>

#include "DemoScreen.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"

int main() {
    std::string whyNot;
    std::unique_ptr<DemoScreen> screen = DemoScreen::open(640, 480, &whyNot);
    if (!screen) {
        std::fprintf(stderr, "tumblo_show_picture: %s\n", whyNot.c_str());
        return 1;
    }
    EngineErr error = screen->showTestPicture();
    if (error != kErrNone) {
        std::fprintf(stderr, "tumblo_show_picture: drawing failed with error %u\n", unsigned(error));
        return 1;
    }
    plat::DisplayDriver& driver = plat::displayDriver();
    std::printf("Test picture shown on the %s display.\n", driver.name().c_str());
    if (driver.name() == "headless") return 0;
    for (;;) {
        driver.pumpEvents();
        plat::Message m;
        while (plat::peekMessage(m, true)) {
            if (m.message == plat::kMsgClose) return 0;
            if (m.message == plat::kMsgKeyDown && m.wParam == plat::kVkEscape) return 0;
        }
        driver.waitForInput(500);
    }
}
