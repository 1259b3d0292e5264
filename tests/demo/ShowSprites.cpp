// Shows animated sprites over a backdrop in a window until the window is closed or Escape is
// pressed. On a headless display it runs a few frames, reports them and ends.
#include <cstdio>

#include "DemoScreen.h"
#include "SpriteStage.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"

int main() {
    std::string whyNot;
    std::unique_ptr<DemoScreen> screen = DemoScreen::open(640, 480, &whyNot);
    std::unique_ptr<SpriteStage> stage = screen ? SpriteStage::open(*screen, 40, &whyNot) : nullptr;
    if (!stage) {
        std::fprintf(stderr, "tumblo_show_sprites: %s\n", whyNot.c_str());
        return 1;
    }
    plat::DisplayDriver& driver = plat::displayDriver();
    if (driver.name() == "headless") {
        for (int i = 0; i < 10; ++i) stage->frame();
        std::printf("Ten sprite frames drawn on the headless display.\n");
        return 0;
    }
    for (;;) {
        stage->frame();
        driver.pumpEvents();
        plat::Message m;
        while (plat::peekMessage(m, true)) {
            if (m.message == plat::kMsgClose) return 0;
            if (m.message == plat::kMsgKeyDown && m.wParam == plat::kVkEscape) return 0;
        }
        driver.waitForInput(40);
    }
}
