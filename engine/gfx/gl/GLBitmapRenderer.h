#pragma once
// GLBitmapRenderer: OpenGL drawing into a picture of the drawing layer. It owns a context of
// the platform GL service bound to a memory device context's picture, the view rectangle and
// its projection, and the drawings compiled in that context, kept by the caller's key (the
// thing drawn). Attach binds and sizes, SetView sets the projection and default state, and
// BeginDrawing / EndDrawing bracket drawing: the picture's pixels go into the context's buffer
// first and the result comes back into the picture after glFinish; given an area, only that
// rectangle of pixels goes in and comes back (a brush's dab), so drawing outside it is lost.
//
// Between its calls the renderer gives the thread's GL binding back to whoever had it (the
// window's own GL): only between BeginDrawing and EndDrawing is its context current, and GL
// calls are made there alone.
//
// Compiled drawings belong to the context: re-attaching to another picture or ReleaseContext
// drops them all. A drawing dropped while the context is not current has its GL lists deleted
// the next time the context is made current. DropEverywhere and DropAllEverywhere reach every
// live renderer, for owners of drawn things that do not know which renderers drew them.
// One thread (the user-interface thread) uses every renderer.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gl/GlContext.h"
#include "platform/gl/GlTessellator.h"

constexpr u16 kGlOk = 0;
// No picture of the renderer's depth, no context, or the context could not be made current.
constexpr u16 kGlErrNoContext = 4;

struct GlViewRect {
    i32 left = 0, top = 0, right = 0, bottom = 0;
};

// What the bound context says it is: glGetString's vendor, renderer and version.
struct GlDescription {
    std::string vendor, renderer, version;
};

// What a key's compiled drawing holds: its GL lists, deleted with it, and what the owner adds.
class GlCompiled {
public:
    virtual ~GlCompiled() = default;
    std::vector<u32> lists;
};

class GLBitmapRenderer {
public:
    // colourDepth: the bits per pixel a picture must have to be attached (16, 24 or 32).
    explicit GLBitmapRenderer(u16 colourDepth);
    ~GLBitmapRenderer();
    GLBitmapRenderer(const GLBitmapRenderer&) = delete;
    GLBitmapRenderer& operator=(const GLBitmapRenderer&) = delete;

    // The rectangle is in pixels with the origin at the top left of the width x height picture.
    u16 Attach(plat::gdi::DeviceContext* dc, u32 width, u32 height, i32 left, i32 top, i32 right, i32 bottom);
    void ReleaseContext();
    // Projection of the view (in the drawing's units) onto the viewport, y growing downwards,
    // and the default state, set into the renderer's own context (made current first, so that
    // another renderer's drawing in between does not take it); nothing without a context.
    void SetView(const GlViewRect& view);
    // Smooth shading in its own context, until the next SetView.
    void SelectSmoothShading();
    u16 MakeCurrent();
    u16 BeginDrawing();
    u16 EndDrawing();
    // The area is in pixels of the picture, from its top left.
    u16 BeginDrawing(const plat::gdi::Rect& area);
    u16 EndDrawing(const plat::gdi::Rect& area);
    // Empty strings when no context is bound.
    GlDescription Describe();

    bool Bound() const { return context_ != nullptr; }
    bool BoundTo(const plat::gdi::DeviceContext* dc) const { return context_ && dc_ == dc; }
    u16 LastError() const { return lastError_; }
    // The widest texture side of the bound context (0 when none is bound).
    i32 MaxTextureSize() const { return maxTextureSize_; }
    // The polygon tessellator, made at construction (null when GLU could not make one).
    plat::gl::Tessellator* Tessellator() const { return tessellator_.get(); }

    GlCompiled* Compiled(const void* key) const;
    GlCompiled* Keep(const void* key, std::unique_ptr<GlCompiled> drawing);
    void Drop(const void* key);
    void DropAll();
    size_t CompiledCount() const { return compiled_.size(); }
    static void DropEverywhere(const void* key);
    static void DropAllEverywhere();

private:
    u16 Fail() { return lastError_ = kGlErrNoContext; }
    void Yield() {
        if (context_) context_->yield();
    }
    void Retire(GlCompiled& drawing);
    void DeleteRetired();

    u16 colourDepth_;
    u16 lastError_ = kGlOk;
    plat::gdi::DeviceContext* dc_ = nullptr;
    std::unique_ptr<plat::gl::Context> context_;
    std::unique_ptr<plat::gl::Tessellator> tessellator_;
    i32 maxTextureSize_ = 0;
    std::unordered_map<const void*, std::unique_ptr<GlCompiled>> compiled_;
    std::vector<u32> retired_;
};
