#include "platform/gl/GlContext.h"

#include <GL/gl.h>
#include <GL/osmesa.h>
#include <dlfcn.h>

#include <algorithm>

#include "platform/gl/PixelRows.h"

namespace plat::gl {

namespace {
// The largest side Mesa's software renderer draws.
constexpr int32_t kMaxSide = 16384;

// Mesa's shared dispatch library holds each thread's current context and call table; OSMesa
// and the display's GL both bind through it. Looked up when first needed: without the shared
// library there is no binding of anyone else's to keep.
struct SharedBinding {
    using GetPointer = void* (*)();
    using SetPointer = void (*)(void*);
    GetPointer getContext = nullptr, getDispatch = nullptr;
    SetPointer setContext = nullptr, setDispatch = nullptr;

    SharedBinding() {
        getContext = reinterpret_cast<GetPointer>(dlsym(RTLD_DEFAULT, "_glapi_get_context"));
        getDispatch = reinterpret_cast<GetPointer>(dlsym(RTLD_DEFAULT, "_glapi_get_dispatch"));
        setContext = reinterpret_cast<SetPointer>(dlsym(RTLD_DEFAULT, "_glapi_set_context"));
        setDispatch = reinterpret_cast<SetPointer>(dlsym(RTLD_DEFAULT, "_glapi_set_dispatch"));
    }
    bool usable() const { return getContext && getDispatch && setContext && setDispatch; }
};

const SharedBinding& sharedBinding() {
    static const SharedBinding binding;
    return binding;
}

// What this thread had bound before one of our contexts took the binding over, and which of
// ours holds it now (null while the thread's own binding is in place).
struct ThreadBinding {
    void* context = nullptr;
    void* dispatch = nullptr;
    const Context* holder = nullptr;
};
thread_local ThreadBinding tThread;

constexpr GLint kDepthBits = 24;

bool gRefused = false;

}  // namespace

void Context::refuse(bool refused) { gRefused = refused; }

std::unique_ptr<Context> Context::create(int32_t width, int32_t height) {
    if (gRefused || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
    // The depth buffer serves drawings of solid things (the painting tools' spheres and tubes);
    // flat drawings leave it off and are ordered back to front by the caller.
    OSMesaContext handle = OSMesaCreateContextExt(OSMESA_RGBA, kDepthBits, 0, 0, nullptr);
    if (!handle) return nullptr;
    return std::unique_ptr<Context>(new Context(handle, width, height));
}

Context::Context(void* handle, int32_t width, int32_t height)
    : handle_(handle), width_(width), height_(height), pixels_(size_t(width) * size_t(height) * 4, 0) {}

Context::~Context() {
    const bool held = tThread.holder == this && isCurrent();
    OSMesaDestroyContext(static_cast<OSMesaContext>(handle_));
    if (tThread.holder == this) tThread.holder = nullptr;
    if (held) giveBackBinding();
}

void Context::giveBackBinding() {
    const SharedBinding& shared = sharedBinding();
    if (!shared.usable()) return;
    shared.setContext(tThread.context);
    shared.setDispatch(tThread.dispatch);
}

bool Context::makeCurrent() {
    if (isCurrent()) return true;
    // Taken from someone else (not from another of ours still bound): remember what to give back.
    if (!tThread.holder || !tThread.holder->isCurrent()) {
        const SharedBinding& shared = sharedBinding();
        tThread.context = shared.usable() ? shared.getContext() : nullptr;
        tThread.dispatch = shared.usable() ? shared.getDispatch() : nullptr;
    }
    if (!OSMesaMakeCurrent(static_cast<OSMesaContext>(handle_), pixels_.data(), GL_UNSIGNED_BYTE, width_, height_))
        return false;
    tThread.holder = this;
    OSMesaPixelStore(OSMESA_Y_UP, 0);
    return true;
}

void Context::yield() {
    if (tThread.holder != this || !tThread.context || !isCurrent()) return;
    tThread.holder = nullptr;
    giveBackBinding();
}

bool Context::isCurrent() const { return OSMesaGetCurrentContext() == static_cast<OSMesaContext>(handle_); }

namespace {

// The rectangle cut to the picture, when the picture is one a context of this size takes.
bool usableArea(const gdi::Surface& picture, int32_t width, int32_t height, const gdi::Rect& area, gdi::Rect* cut) {
    const int bits = picture.bitsPerPixel();
    if (picture.width() != width || picture.height() != height || (bits != 16 && bits != 24 && bits != 32))
        return false;
    *cut = gdi::Rect{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, width),
                     std::min(area.bottom, height)};
    return true;
}

}  // namespace

bool Context::loadFrom(const gdi::Surface& picture) { return loadFrom(picture, picture.bounds()); }

bool Context::loadFrom(const gdi::Surface& picture, const gdi::Rect& area) {
    gdi::Rect cut;
    if (!usableArea(picture, width_, height_, area, &cut) || !makeCurrent()) return false;
    if (cut.empty()) return true;
    // Mesa draws into a buffer of its own and copies it into ours when GL finishes, so the
    // picture is drawn into GL's buffer, bottom row first as glDrawPixels takes rows.
    const int bits = picture.bitsPerPixel();
    const size_t w = size_t(cut.width()), h = size_t(cut.height());
    const size_t offset = size_t(cut.left) * size_t(bits / 8);
    staging_.resize(w * h * 4);
    for (size_t r = 0; r < h; ++r) {
        uint8_t* out = staging_.data() + r * w * 4;
        const uint8_t* row = picture.row(cut.bottom - 1 - int32_t(r)) + offset;
        if (bits == 16) rgb555ToRgba(row, out, w);
        else if (bits == 24) bgr24ToRgba(row, out, w);
        else bgrx32ToRgba(row, out, w);
    }
    glPushAttrib(GL_ENABLE_BIT | GL_PIXEL_MODE_BIT | GL_VIEWPORT_BIT);
    glViewport(0, 0, width_, height_);
    const GLenum drawingState[] = {GL_TEXTURE_1D, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_SCISSOR_TEST, GL_BLEND, GL_FOG};
    for (GLenum capability : drawingState) glDisable(capability);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // The window's bottom left, then moved (by an empty bitmap) to the rectangle's.
    glRasterPos2i(-1, -1);
    glBitmap(0, 0, 0, 0, GLfloat(cut.left), GLfloat(height_ - cut.bottom), nullptr);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glDrawPixels(GLsizei(w), GLsizei(h), GL_RGBA, GL_UNSIGNED_BYTE, staging_.data());
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    return true;
}

bool Context::finishInto(gdi::Surface& picture) { return finishInto(picture, picture.bounds()); }

bool Context::finishInto(gdi::Surface& picture, const gdi::Rect& area) {
    gdi::Rect cut;
    if (!usableArea(picture, width_, height_, area, &cut)) return false;
    if (isCurrent()) glFinish();
    const int bits = picture.bitsPerPixel();
    const size_t w = size_t(cut.width());
    for (int32_t y = cut.top; y < cut.bottom && w > 0; ++y) {
        const uint8_t* in = pixels_.data() + (size_t(y) * size_t(width_) + size_t(cut.left)) * 4;
        uint8_t* row = picture.row(y) + size_t(cut.left) * size_t(bits / 8);
        if (bits == 16) rgbaToRgb555(in, row, w);
        else if (bits == 24) rgbaToBgr24(in, row, w);
        else rgbaToBgrx32(in, row, w);
    }
    return true;
}

}  // namespace plat::gl
