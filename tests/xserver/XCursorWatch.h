#pragma once
// Watches the mouse cursor an X server shows, from a connection of its own: which cursor is
// shown now and every change since the watch began, each cursor named by the server's serial
// (the same cursor shown again has the same serial). Kept apart from the tests: Xlib's macros
// clash with GoogleTest's names.
#include <string>
#include <vector>

struct _XDisplay;

class XCursorWatch {
public:
    explicit XCursorWatch(const std::string& display);
    ~XCursorWatch();
    XCursorWatch(const XCursorWatch&) = delete;
    XCursorWatch& operator=(const XCursorWatch&) = delete;

    // False when the server could not be reached or lacks the fixes extension.
    bool connected() const { return display_ != nullptr; }
    unsigned long shown();
    // The cursors shown since the watch began or since the last call, in order.
    std::vector<unsigned long> changes();

private:
    _XDisplay* display_ = nullptr;
    int eventBase_ = 0;
};
