#pragma once
// OpenGL 1.1 contexts that render into memory, and the one place of the program where GL, GLU
// and OSMesa headers are included: everything above platform/ draws through the thin call layer
// of Gl.h and the polygon tessellator of GlTessellator.h, which use GL's own numbers under our
// names. Mesa's OSMesa renders into a buffer of 8-bit RGBA on every machine, so a headless
// machine renders exactly as one with a display does; this one driver serves both.
//
// A context owns its RGBA buffer (rows top-down) and a depth buffer, which drawing that wants
// it enables. Drawing goes into the buffer; `loadFrom` draws a picture (or a rectangle of it)
// into the context first (so what the picture held stays under the drawing; it makes the
// context current) and `finishInto` waits for GL (glFinish) and converts the buffer (or the
// rectangle) into a 16-bit RGB555, 24- or 32-bit picture. One thread at a time; the context
// is current on the thread that drew last.
//
// OSMesa and the display's own GL (the window's renderer) share Mesa's per-thread binding, and
// the display's GL never binds its context again once it thinks it is current. So the binding
// a thread had before one of our contexts took it over comes back when the context that holds
// it is destroyed, or yields it after drawing; otherwise the window would go on drawing into a
// context that is gone, or into ours.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/Surface.h"

namespace plat::gl {

class Context {
public:
    // Null when OSMesa cannot make a context, the size is not positive, or contexts are refused.
    static std::unique_ptr<Context> create(int32_t width, int32_t height);
    // A machine without GL, for the tests of what the program does then: while refused, every
    // create answers null.
    static void refuse(bool refused);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    bool makeCurrent();
    bool isCurrent() const;
    // Gives the thread's binding back to the one who had it before this context took it over
    // (the display's GL); nothing when nobody had one or this context does not hold it. The
    // next makeCurrent takes it again.
    void yield();
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

    // False for a picture of another size or of a depth other than 16, 24 or 32 bits. The
    // rectangle is cut to the picture; an empty one moves no pixel.
    bool loadFrom(const gdi::Surface& picture);
    bool loadFrom(const gdi::Surface& picture, const gdi::Rect& area);
    bool finishInto(gdi::Surface& picture);
    bool finishInto(gdi::Surface& picture, const gdi::Rect& area);

private:
    Context(void* handle, int32_t width, int32_t height);
    void giveBackBinding();

    void* handle_;
    int32_t width_;
    int32_t height_;
    std::vector<uint8_t> pixels_;
    std::vector<uint8_t> staging_;
};

}  // namespace plat::gl
