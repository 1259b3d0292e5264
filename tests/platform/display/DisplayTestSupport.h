#pragma once
// A headless driver installed for one test, and a window of the message core to attach
// display windows to.
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

#include <vector>

namespace plat::testing {

class HeadlessDisplayFixture {
public:
    HeadlessDisplayFixture() { setDisplayDriver(&display); }
    ~HeadlessDisplayFixture() {
        setDisplayDriver(nullptr);
        destroyWindow(window);
    }

    // Every message waiting for the test's thread, in order.
    std::vector<Message> drain() {
        std::vector<Message> out;
        Message m;
        while (peekMessage(m, true)) out.push_back(m);
        return out;
    }

    HeadlessDisplay display;
    WindowHandle window = createWindow({"Test", "test", defaultWindowProcedure});
};

}  // namespace plat::testing
