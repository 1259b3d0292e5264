#include "XScreenshot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

std::vector<uint32_t> takeXScreenshot(const std::string& display, int32_t x, int32_t y, int32_t width, int32_t height) {
    std::vector<uint32_t> pixels;
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return pixels;
    XSync(connection, False);
    XImage* image = XGetImage(connection, DefaultRootWindow(connection), x, y, unsigned(width), unsigned(height),
                              AllPlanes, ZPixmap);
    if (image) {
        pixels.reserve(size_t(width) * size_t(height));
        for (int32_t row = 0; row < height; ++row)
            for (int32_t column = 0; column < width; ++column)
                pixels.push_back(uint32_t(XGetPixel(image, column, row)) & 0xFFFFFF);
        XDestroyImage(image);
    }
    XCloseDisplay(connection);
    return pixels;
}
