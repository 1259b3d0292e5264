#pragma once
// Graphics ports: every picture the engine draws into. A port handle is the port object's
// address; 0 and the all-ones value are never ports, and no other check is made of a handle
// (callers hand in ports they made). The drawing calls act on the current port. `GfxPort`
// supplies the operations all kinds share, written against a device context of the drawing
// layer and a palette; each kind supplies its own Lock and replaces what it does otherwise.
// Operations are virtual, in the order of the port table. User-interface thread only.
#include <memory>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/base/FixedPoint.h"
#include "engine/regions/Rects.h"
#include "engine/gfx/GfxColor.h"
#include "engine/gfx/GfxFont.h"
#include "engine/gfx/GfxPalette.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Font.h"

constexpr u32 kGfxPortTag = fourCC("PORT");
constexpr u32 kGfxMapText = 1;
constexpr u32 kGfxMapAnisotropic = 8;
constexpr u32 kGfxDeviceClassDisplay = 1;
constexpr u32 kGfxDeviceClassPrinter = 2;
constexpr u32 kGfxDeviceClassSurface = 3;
// Port-check flags of gfxPortFromHandle: 8 the source of a copy, 16 a drawing call.
constexpr u8 kGfxCheckQuery = 1;
constexpr u8 kGfxCheckSource = 8;
constexpr u8 kGfxCheckDraw = 16;
// The clip region of a new port: the whole plane.
constexpr Rect16 kGfxWholePlane = {-16384, -16384, 16383, 16383};
struct RegionRecord;
// Whether a region's record is the whole plane, the clip that clips nothing.
bool gfxIsWholePlane(const RegionRecord* record);
// CopyBits and DrawPixels flags: stretch modes, then mirroring left to right and top to bottom.
constexpr u16 kGfxCopyBlackOnWhite = 0x01;
constexpr u16 kGfxCopyWhiteOnBlack = 0x02;
constexpr u16 kGfxCopyMirror = 0x10;
constexpr u16 kGfxCopyFlip = 0x20;
// The transparent transfer mode of the pixel calls.
constexpr u16 kGfxModeTransparent = 8;
// Pixel format word of the pixel calls.
constexpr u16 kGfxFormatDepthMask = 0x07;
constexpr u16 kGfxFormatColorTable = 0x08;
constexpr u16 kGfxFormatPackingMask = 0xF0;
constexpr u16 kGfxFormatPacked8 = 0x10;
constexpr u16 kGfxFormatPacked16 = 0x30;
constexpr u16 kGfxFormatCompressionMask = 0x0F00;
// Pattern kinds of engine patterns (a big-endian u16 kind, then 8 rows of pixels).
constexpr u16 kGfxPatternMono = 0x08;
constexpr u16 kGfxPattern4 = 0x20;
constexpr u16 kGfxPattern8 = 0x40;
constexpr u16 kGfxPattern16 = 0x80;
constexpr u16 kGfxPattern24 = 0xC0;

// Direct access to a port's pixels, filled by LockBits: row y (0 at the top) starts at
// base + y × rowStep when rowStep is positive, and at base + (height − 1 − y) × |rowStep|
// when it is negative (bottom-up memory).
// Engine rectangles and the drawing layer's share one layout: right and bottom exclusive.
inline plat::gdi::Rect gfxToGdi(const Rect16& r) { return {r.left, r.top, r.right, r.bottom}; }

struct GfxPixelDescriptor {
    Rect16 bounds;
    Rect16 deviceRect;
    Rect16 logicalRect;
    u8* base;
    i32 rowStep;
    u16 depth;
    u16 readable;
    u16 valid;
};

// Clip pieces a surface blit sends at most in one list.
constexpr u16 kGfxMaxBlitPieces = 64;

class GfxPort {
public:
    explicit GfxPort(const Rect16& deviceRect);
    virtual ~GfxPort();
    GfxPort(const GfxPort&) = delete;
    GfxPort& operator=(const GfxPort&) = delete;

    // The record, in the order of the port table's owner.
    u32 tag = 0;
    GfxPort* nextPort = nullptr;
    GfxPort* previousPort = nullptr;
    u32 deviceClass = kGfxDeviceClassDisplay;
    u32 kind = 0;
    Rect16 deviceRect{};
    Rect16 logicalRect{};
    Point16 offset{};
    Point16 logicalSize{};
    u16 scaled = 0;
    Fixed hScale = kFixedOne;
    Fixed vScale = kFixedOne;
    GfxPalette* palette = nullptr;
    GfxPalette* paletteChecked = nullptr;
    GfxPalette* paletteRealised = nullptr;
    GfxPort* nextInPalette = nullptr;
    GfxPort* previousInPalette = nullptr;
    GfxColor backColor;
    GfxFont* font = nullptr;
    Point16 penPos{};
    GfxColor foreColor;
    u16 penMode = 0;
    u16 penSize = 1;
    memHandle clipRegion = 0;
    u16 clipApplied = 0;
    u16 lockCount = 0;
    u16 bitsLocked = 0;
    u16 nativeDrawing = 0;
    u16 jobState = 0;
    u16 pageState = 0;
    u16 depth = 0;
    u16 drawNesting = 0;
    plat::gdi::DeviceContext* dc = nullptr;
    u32 mappingMode = kGfxMapText;
    plat::gdi::Region gdiClip;
    const plat::gdi::Palette* gdiPalette = nullptr;
    bool gdiPen = false;
    std::shared_ptr<const plat::gdi::Font> gdiFont;
    plat::gdi::TextMetrics textMetrics;

    // The port table. CopyBits is called on the source port.
    virtual EngineErr CopyBits(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, u16 mode, u16 flags);
    virtual void ApplyMapping();
    virtual EngineErr ClipToGdiRegion(const plat::gdi::Region& deviceRegion);
    virtual void UpdateDeviceCaps() {}
    virtual EngineErr AttachDC();
    virtual EngineErr BeginDraw();
    virtual EngineErr RegionToGdi(plat::gdi::Region* out, memHandle region);
    virtual void DetachDC();
    virtual void RealizePalette();
    virtual EngineErr SetBackColor(const GfxColor& color);
    virtual EngineErr ApplyClip(memHandle region);
    virtual EngineErr SelectFont(GfxFont* newFont);
    virtual EngineErr SetNativeMode(u16 on);
    virtual EngineErr SetPen(const GfxColor& color, u16 size);
    virtual EngineErr SetPenMode(u16 mode);
    virtual void EndDraw();
    // Blits a surface of another depth through the clip pieces; needs a kind with a surface.
    virtual EngineErr BltFromSurface(const Rect16& dst, const Rect16& src, const void* surface, u16 sourceDepth, u32 rop);
    virtual EngineErr LockSurface(Rect16* out);
    virtual EngineErr UnlockSurface();
    virtual EngineErr RestoreSurface();
    // `size` bytes are readable at `pixels`; data that does not fit is refused with kGfxErrBadFormat.
    virtual EngineErr DrawPixels(const Rect16& dst, u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels,
                                 u32 size, u16 mode, u16 flags);
    // Null with kGfxErrGdi when the colour has no GDI form.
    virtual std::unique_ptr<plat::gdi::Brush> MakeSolidBrush(const GfxColor& color);
    virtual std::unique_ptr<plat::gdi::Brush> MakePatternBrush(const u8* pattern);
    // Boxes with signed extents: a negative size walks the picture from its far edge.
    virtual EngineErr StretchDIB(plat::gdi::Box dst, plat::gdi::Box src, const plat::gdi::DibImage& image, u32 rop);
    virtual EngineErr LockBits(GfxPixelDescriptor* descriptor);
    virtual u16 NearestIndex(const GfxColor& color);
    virtual GfxColor* ReadPixel(GfxColor* out, i16 x, i16 y);
    virtual GfxColor* IndexToColor(GfxColor* out, u16 index);
    virtual EngineErr ResetState();
    virtual EngineErr Lock() = 0;
    virtual EngineErr FillColorRect(const Rect16& r, const GfxColor& color, u16 mode);
    virtual EngineErr PaintOval(const Rect16& r, const plat::gdi::Brush& brush, u16 mode);
    virtual EngineErr PaintPolygon(memHandle polygon, const plat::gdi::Brush& brush, u16 mode);
    virtual EngineErr PaintRect(const Rect16& r, const plat::gdi::Brush& brush, u16 mode);
    virtual EngineErr PaintRegion(memHandle region, const plat::gdi::Brush& brush, u16 mode);
    virtual void Detach();
    virtual void CheckPalette();
    virtual EngineErr UnlockBits(GfxPixelDescriptor* descriptor);
    virtual EngineErr Scroll(const Rect16& r, i16 dx, i16 dy, memHandle updateRegion);
    virtual GfxPalette* SetPalette(GfxPalette* newPalette);
    virtual void Unlock();
    // Draws a 1-, 4- or 8-bit picture with pixel value 0 transparent; other depths draw nothing.
    virtual EngineErr DrawMaskedDIB(const Rect16& r, const plat::gdi::DibImage& image, u16 flipX, u16 flipY);
    // A colour reference of the drawing layer; kColorInvalid (-1) on error.
    virtual plat::gdi::ColorRef ToColorRef(const GfxColor& color);
    // Where the device rectangle's coordinates start on the screen: a window's inside corner for
    // a port on a window, (0, 0) for the rest.
    virtual Point16 ScreenOrigin() const { return Point16{0, 0}; }

    // Sets the mapping from the device rectangle, an origin and a logical size ((0,0): the device size).
    void SetMapping(Point16 origin, Point16 size);
    // Takes a context a kind made and prepares it (AttachDC); on failure the context is dropped.
    EngineErr AttachContext(std::unique_ptr<plat::gdi::DeviceContext> context);

protected:
    std::unique_ptr<plat::gdi::DeviceContext> ownedDc_;
};

GfxPort* const kGfxBadPortHandle = reinterpret_cast<GfxPort*>(~uintptr_t(0));

// The transfer modes' raster codes, by mode 0-7.
u32 gfxSourceCopyCode(u16 mode);
u32 gfxPatternCode(u16 mode);
int gfxPenRop2(u16 mode);

// Module calls.
GfxPort* gfxPortFromHandle(GfxPort* handle, u8 flags);
EngineErr gfxDisposePort(GfxPort* handle);
EngineErr gfxLockPort(GfxPort* handle);
EngineErr gfxUnlockPort(GfxPort* handle);
GfxPort* gfxSetPort(GfxPort* handle);
GfxPort* gfxGetPort();
GfxPalette* gfxSetPortPalette(GfxPalette* palette);
GfxPalette* gfxGetPortPalette();
EngineErr gfxSetPortOrigin(u16 x, u16 y);
EngineErr gfxSetPortScale(u16 width, u16 height);
EngineErr gfxGetPortRect(Rect16* out);
EngineErr gfxDeviceToPort(Point16* point);
plat::gdi::DeviceContext* gfxGetPortDC(GfxPort* handle);
EngineErr gfxLockPortBits(GfxPixelDescriptor* out);
EngineErr gfxUnlockPortBits(GfxPixelDescriptor* descriptor);
// The display's depth changed: every port with a device context reads its capabilities again.
void gfxDisplayChanged(u16 depth);
EngineErr gfxReleasePortDC(GfxPort* handle);
// The newest port of the module's list.
GfxPort* gfxPortListHead();
// For the makers of ports: the palette a new port takes (0: the default), or null with kGfxErrBadPalette.
GfxPalette* gfxNewPortPalette(GfxPalette* palette);
// Resets a new port and gives it its palette; on failure the port is deleted and null
// returned with the error set.
GfxPort* gfxFinishNewPort(GfxPort* port, GfxPalette* palette);
