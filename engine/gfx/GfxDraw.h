#pragma once
// The drawing API: the calls through which the rest of the program draws. Each works on the
// current port (or on ports given by handle), checks it, draws inside a drawing bracket and
// leaves its result in the graphics module's last error. Coordinates are port coordinates;
// rectangles exclude their right and bottom edges. Transfer modes are 0-7 (copy, AND, OR,
// XOR, NOT copy and the two NOT combinations, NOT XOR); 8 is the transparent mode of the pixel
// calls. User-interface thread only; the module state (current port, cursor state, font list)
// is unguarded.
#include <array>

#include "engine/gfx/GfxColor.h"
#include "engine/gfx/GfxFont.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPort.h"
#include "platform/cursor/Cursors.h"

// Opens a drawing bracket on a port for the life of the object; the bracket is open only
// when BeginDraw succeeded, and only then is it closed.
class GfxDrawBracket {
public:
    explicit GfxDrawBracket(GfxPort* port) : port_(port && port->BeginDraw() == kErrNone ? port : nullptr) {}
    ~GfxDrawBracket() {
        if (port_) port_->EndDraw();
    }
    GfxDrawBracket(const GfxDrawBracket&) = delete;
    GfxDrawBracket& operator=(const GfxDrawBracket&) = delete;
    bool open() const { return port_ != nullptr; }

private:
    GfxPort* port_;
};

struct GfxPenState {
    Point16 position;
    GfxColor foreColor;
    u16 mode;
    u16 size;
};

// Pen and port state.
GfxColor* gfxSetForeColor(GfxColor* previous, const GfxColor& color);
i32 gfxSetPenSize(u16 size);
i32 gfxSetPenMode(u16 mode);
EngineErr gfxGetPenState(GfxPenState* out);
EngineErr gfxSetPenState(const GfxPenState& state);
EngineErr gfxMoveTo(i16 x, i16 y);
EngineErr gfxMove(i16 dx, i16 dy);
EngineErr gfxGetPenPos(Point16* out);
u16 gfxGetPortDepth();

// Clipping: the current port's clip region.
EngineErr gfxIntersectClipRect(const Rect16& r);
EngineErr gfxIntersectClipRgn(memHandle region);
EngineErr gfxResetClipRect(const Rect16& r);
EngineErr gfxSetClipRgn(memHandle region);
EngineErr gfxGetClipRgn(memHandle region);
// The names the screens use for gfxResetClipRect and gfxSetClipRgn.
inline EngineErr gfxSetClipRect(const Rect16& r) { return gfxResetClipRect(r); }
inline EngineErr gfxSetClipRgnRects(memHandle region) { return gfxSetClipRgn(region); }

// Shapes.
EngineErr gfxLineTo(i16 x, i16 y);
EngineErr gfxFrameRect(const Rect16& r);
EngineErr gfxFrameOval(const Rect16& r);
EngineErr gfxFillRect(const Rect16& r, const GfxColor& color, u16 mode);
EngineErr gfxFillOval(const Rect16& r, const GfxColor& color, u16 mode);
EngineErr gfxFillRgn(memHandle region, const u8* pattern);
EngineErr gfxEraseRect(const Rect16& r);
EngineErr gfxInvertRect(const Rect16& r);
EngineErr gfxInvertOval(const Rect16& r);
EngineErr gfxSetPixel(const GfxColor& color, i16 x, i16 y);
GfxColor* gfxGetPixel(GfxColor* out, i16 x, i16 y);

// Pixels and copies. Pixel data comes with its size: packed or plain rows that do not fit
// are refused with kGfxErrBadFormat, as are compressed formats.
EngineErr gfxDrawPixels(u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels, u32 size, i16 x, i16 y, u16 mode);
EngineErr gfxDrawPixelsInRect(u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels, u32 size,
                              const Rect16& dst, u16 mode, u16 flags);
// An engine bitmap of `size` bytes (header, then its colour table and pixels).
EngineErr gfxDrawBitmap(const u8* bitmap, u32 size, i16 x, i16 y, u16 mode);
EngineErr gfxDrawBitmapInRect(const u8* bitmap, u32 size, const Rect16& dst, u16 mode, u16 flags);
// A buffer of the rectangle's size in rows of the true stride, (width × depth + 31) ÷ 32 × 4 bytes.
EngineErr gfxDrawPixelBuffer(const Rect16& r, const u8* pixels, u16 depth);
EngineErr gfxCopyBits(GfxPort* destination, GfxPort* source, const Rect16& dstRect, const Rect16& srcRect, u16 mode);
EngineErr gfxCopyBitsEx(GfxPort* destination, GfxPort* source, const Rect16& dstRect, const Rect16& srcRect, u16 mode,
                        u16 flags);
// A copy limited to a mask region of the destination (0: no mask). The mode word carries the
// transfer mode in its low nibble and kGfxCopyMirror / kGfxCopyFlip.
EngineErr gfxCopyBitsRgn(GfxPort* destination, GfxPort* source, const Rect16& dstRect, const Rect16& srcRect, u16 mode,
                         memHandle mask);

// Text and fonts. A length of kGfxWholeText means up to the terminating zero.
constexpr u16 kGfxWholeText = 0xFFFF;
// Text box flags: horizontal and vertical alignment.
constexpr u16 kGfxTextCenter = 0x02;
constexpr u16 kGfxTextRight = 0x04;
constexpr u16 kGfxTextMiddle = 0x20;
constexpr u16 kGfxTextBottom = 0x40;

struct GfxFontInfo {
    u16 values[11];
    char name[kGfxFontNameSize];
};

// One font family as gfxEnumFonts hands it over, with one of its styles (bold 1, italic 2).
struct GfxFontFamily {
    char name[kGfxFontNameSize];
    u16 style;
    u16 device;
    u16 fixedPitch;
    u16 trueType;
    u16 textFace;  // 1: writes words (not a maths, symbol or emoji family)
};
// Every style of a scalable family is handed over; other families once, with their first
// style. The callback returns 0 to go on; non-zero ends the styles of a scalable family, or
// the whole enumeration after any other family.
using GfxFontFamilyCallback = u16 (*)(const GfxFontFamily& family, void* context);

GfxFont* gfxNewFont(const char* faceName, u16 size, u16 style);
EngineErr gfxDisposeFont(GfxFont* font);
// Disposes every font but the default one; graphics shutdown.
void gfxDisposeAllFonts();
GfxFont* gfxSetFont(GfxFont* font);
GfxFont* gfxGetFont();
EngineErr gfxGetFontInfo(GfxFontInfo* out);
// 0 (the error kept for gfxGetLastError) when the text cannot be measured.
i32 gfxTextWidth(const char* text, u16 length);
EngineErr gfxDrawText(const char* text, u16 length, u16 extraPerBlank);
EngineErr gfxDrawTextBox(const Rect16& box, u16 flags, const char* text, u16 length);
EngineErr gfxEnumFonts(GfxFontFamilyCallback callback, void* context);

// Copies `count` entries of a palette (0: the default palette) from `first` into colour
// values: entries the palette uses or the system reserves keep bit 0 of their flags, all
// others get the default flag.
EngineErr gfxGetPaletteEntries(GfxPalette* palette, u16 first, u16 count, GfxColor* out);

// Repainting the current port's window: between the two calls every clip is cut to the area
// the window asked to have repainted (all of the port when it asked for nothing), and that
// area counts as repainted. Any port but a window port gives kGfxErrBadPort; kGfxErrUpdateActive
// and kGfxErrNoUpdate answer calls out of order.
EngineErr gfxBeginUpdate();
EngineErr gfxEndUpdate();

// Cursors and the mouse: a 68-byte cursor record (16 image rows, 16 mask rows, vertical and
// horizontal hot spot, big-endian words), or one of the system cursors.
constexpr u16 kGfxCursorArrow = 0;
constexpr u16 kGfxCursorCross = 1;
constexpr u16 kGfxCursorIBeam = 2;
constexpr u16 kGfxCursorWait = 3;
constexpr u32 kGfxCursorRecordSize = 68;
EngineErr gfxSetCursor(u16 systemCursor);
EngineErr gfxSetCursor(const u8* record);
void gfxHideCursor();
i16 gfxShowCursor();
i16 gfxSetCursorLevel(i16 level);
// A cursor another table owns (the hot spots' cursors): shown under the same show count as
// the cursors above, and never destroyed here. One that is gone by now shows the arrow.
EngineErr gfxSetCursorId(plat::cursor::CursorId cursor);
// The cursor in use, as gfxRestoreCursor puts it back: a cursor made here from a record is
// made again from it, as the one in use may have been destroyed meanwhile.
struct GfxCursorInUse {
    plat::cursor::CursorId id = plat::cursor::kNoCursor;
    bool made = false;
    std::array<u8, kGfxCursorRecordSize> record{};
};
GfxCursorInUse gfxGetCursorInUse();
EngineErr gfxRestoreCursor(const GfxCursorInUse& cursor);
void gfxGetMouse(Point16* out);
// Graphics start-up and shutdown: the arrow shown once, or no cursor and a count of 0.
void gfxStartCursor();
void gfxStopCursor();
