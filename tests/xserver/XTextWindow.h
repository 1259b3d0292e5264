#pragma once
// A plain X client window that reads what is typed into it as a text field would: key presses
// through the locale's input method (so dead keys compose), collected as UTF-8. It lets a test
// check the input a test gives, apart from any program.
#include <string>

struct _XDisplay;

class XTextWindow {
public:
    explicit XTextWindow(const std::string& display);
    ~XTextWindow();
    XTextWindow(const XTextWindow&) = delete;
    XTextWindow& operator=(const XTextWindow&) = delete;

    bool shown() const { return window_ != 0; }
    unsigned long window() const { return window_; }
    // The text typed so far, once the server has delivered everything sent before the call.
    std::string typed();

private:
    _XDisplay* display_ = nullptr;
    unsigned long window_ = 0;
    void* method_ = nullptr;
    void* context_ = nullptr;
    std::string text_;
};
