#pragma once
// Another program holding a picture on the X clipboard: a client of its own that owns the
// CLIPBOARD selection and answers requests for it from a thread, as a desktop picture program
// does after Copy. It offers TARGETS and "image/png"; data larger than one piece goes piece by
// piece (INCR), each piece after the reader deleted the one before.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

struct _XDisplay;

class XClipboardOwner {
public:
    // Owns the clipboard of `display` with `png` until destroyed.
    XClipboardOwner(const std::string& display, std::vector<uint8_t> png, size_t piece = 64 * 1024);
    ~XClipboardOwner();
    XClipboardOwner(const XClipboardOwner&) = delete;
    XClipboardOwner& operator=(const XClipboardOwner&) = delete;

    bool owns() const { return window_ != 0; }
    // The times the picture was given whole to a reader.
    int given() const { return given_; }

private:
    void serve();
    void answer(const void* request);
    bool sendPieces(unsigned long requestor, unsigned long property, unsigned long target);

    _XDisplay* display_ = nullptr;
    unsigned long window_ = 0;
    std::vector<uint8_t> png_;
    size_t piece_;
    std::atomic<bool> serving_{true};
    std::atomic<int> given_{0};
    std::thread server_;
};
