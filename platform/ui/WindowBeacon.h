#pragma once
// Lets a later start of the program find the window of one already running, by the window's
// class name, and ask for it to come to the front. The running program keeps a beacon for its
// main window; another process of the same user that calls bringClassWindowToFront reaches
// it, and the window hears kMsgActivate (wParam 1) through its queue. A beacon lives on a
// thread of its own; make and end it on the window's thread.
#include <memory>
#include <string>
#include <thread>

#include "platform/ui/Messages.h"

namespace plat {

class WindowBeacon {
public:
    // Another live beacon of the class (in any process of the user) makes this one inactive.
    WindowBeacon(const std::string& className, WindowHandle window);
    ~WindowBeacon();
    WindowBeacon(const WindowBeacon&) = delete;
    WindowBeacon& operator=(const WindowBeacon&) = delete;

    bool active() const { return socket_ >= 0; }

private:
    void serve();

    WindowHandle window_;
    int socket_ = -1;
    std::thread server_;
};

// True when a beacon of that class answered: its window was asked to come to the front.
bool bringClassWindowToFront(const std::string& className);

// Keeps the beacons of a test apart from those of a program the same user runs; empty restores
// the program's own.
void setWindowBeaconScope(const std::string& scope);

}  // namespace plat
