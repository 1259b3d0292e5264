#pragma once
// A client of an X server that acts as the person at the keyboard: it finds a program's window,
// moves the pointer, presses buttons and keys through the server's test extension (so the
// program receives real device events), types text under the server's keyboard layout, and
// reads back what the screen shows. One connection, kept for the object's life; every call
// returns once the server has taken it. Kept apart from the tests: Xlib's macros clash with
// GoogleTest's names.
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;

class XSession {
public:
    struct Box {
        int32_t x = 0, y = 0, width = 0, height = 0;
    };

    explicit XSession(const std::string& display);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // False when the server could not be reached or lacks the test extension.
    bool connected() const { return display_ != nullptr; }

    // The largest shown top-level window that a process marked as its own (_NET_WM_PID); 0
    // when it has none yet.
    unsigned long windowOfProcess(pid_t pid) const;
    // How many top-level windows are shown, whoever shows them.
    int shownWindows() const;
    // Where a window's inside lies on the screen; empty (zero size) when it is gone.
    Box windowBox(unsigned long window) const;
    void focus(unsigned long window);
    // Places a top-level window's corner at a screen position, as a desktop places a new window.
    void moveWindow(unsigned long window, int32_t x, int32_t y);

    // Screen positions.
    void moveTo(int32_t x, int32_t y);
    void button(unsigned number, bool down);

    // Loads a keyboard layout by its XKB symbols name ("us", "es") on a pc105 keyboard, as the
    // desktop's keyboard settings would; every client sees the new mapping.
    bool useLayout(const std::string& layout);
    // Presses and releases a chord of keysym names joined by '+' ("ctrl+s", "Return", "alt+F4",
    // "shift+Tab"); false for a name the keyboard has no key for.
    bool pressChord(const std::string& chord);
    // Types UTF-8 text key by key as a typist would on the current layout: Shift and AltGr for
    // the characters on those levels, a dead key and then the letter for an accented letter the
    // layout has no key of its own for ("é" on a Spanish keyboard). False, having typed
    // nothing, when a character cannot be typed on the layout.
    bool typeText(const std::string& text);

    // The screen's pixels in a box, 0x00RRGGBB row by row; empty when it cannot be read.
    std::vector<uint32_t> capture(const Box& box) const;

private:
    struct SharedImage;
    struct Stroke {
        unsigned keycode = 0;
        unsigned level = 0;  // 0 plain, 1 Shift, 2 AltGr, 3 Shift and AltGr
    };
    bool strokeFor(unsigned long keysym, Stroke* stroke) const;
    bool strokesFor(uint32_t codepoint, std::vector<Stroke>* strokes) const;
    void press(const Stroke& stroke);
    void key(unsigned keycode, bool down);
    void sync() const;

    _XDisplay* display_ = nullptr;
    // Where the server copies the screen for capture when it can share memory with us (kept
    // for the next capture of a box of the same size).
    mutable std::unique_ptr<SharedImage> shared_;
};
