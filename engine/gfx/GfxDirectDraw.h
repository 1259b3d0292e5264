#pragma once
// The optional direct-surface accelerator of the graphics engine. When the engine settings
// allow it ([DirectDraw] fEnable), the first use starts it once over the platform's
// direct-surface service and keeps the service, the driver's capabilities, the primary
// surface over the program's main window, the cooperative level and the handlers told when
// surfaces are lost. Without it every user keeps to the drawing layer. A failed start is
// never retried until shutdown. Every call sets the graphics last error: 0, kGfxErrDirectDraw (a call
// failed; the result is in ddrawLastResult), kGfxErrNotSupported (not available or not allowed) or 2.
// User-interface thread only.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "engine/gfx/GfxDisplayModes.h"
#include "engine/gfx/GfxSettings.h"
#include "platform/display/DirectSurfaces.h"

// Results of the last direct-surface call, numbered as the program compares them.
constexpr u32 kDDrawOk = 0;
constexpr u32 kDDrawErrCurrentlyNotAvail = 0x88760028;
constexpr u32 kDDrawErrNoExclusiveMode = 0x887600E1;
constexpr u32 kDDrawErrSurfaceLost = 0x887601C2;
constexpr u32 kDDrawErrExclusiveModeAlreadySet = 0x88760245;
constexpr u32 kDDrawErrWrongMode = 0x8876024B;
constexpr u32 kDDrawErrUnsupportedMode = 0x8876024E;
constexpr u32 kDDrawErrUnsupported = 0x80004001;
constexpr u32 kDDrawErrInvalidParams = 0x80070057;

// Sizes of the capabilities record by driver version.
constexpr u32 kDDrawCapsSizeOld = 0x13C;
constexpr u32 kDDrawCapsSizeNew = 0x16C;

constexpr u32 kDDrawHandlerTag = fourCC("DDEH");
// Events offered to restore handlers.
constexpr u32 kDDrawEventExclusiveElsewhere = 0;
constexpr u32 kDDrawEventSurfaceRestored = 1;
constexpr u32 kDDrawEventPrimaryCreated = 2;
constexpr u32 kDDrawEventPrimaryModeLost = 3;

struct GfxDDrawEvent {
    u32 kind;
    uintptr_t datum;  // the owning port for a restored surface, else 0
};
using GfxDDrawRestoreProc = u16 (*)(const GfxDDrawEvent* event, void* datum);

struct GfxDDrawHandler {
    u32 tag;
    GfxDDrawHandler* next;
    GfxDDrawHandler* previous;
    GfxDDrawRestoreProc proc;
    void* datum;
};

// One copy of a ddrawBlt list: a destination rectangle, a source surface and rectangle.
struct GfxDDrawBlit {
    Rect16 destination;
    plat::DirectSurface* source;
    Rect16 sourceRect;
    u32 flags;
    const void* effects;
};

struct GfxSurfaceLock {
    u8* base;
    i32 pitch;
};

plat::DirectSurfaceService* ddrawGetObject();
EngineErr ddrawSetCooperativeLevel(u16 fullScreen);
plat::DirectSurface* ddrawGetPrimarySurface();
EngineErr ddrawSetDisplayMode(u16 width, u16 height, u16 bitsPerPixel, u32 refreshRate);
// Each mode as a display record named "DDRAW"; returns how many were offered.
u32 ddrawEnumDisplayModes(GfxDisplayModeProc callback, void* data);
EngineErr ddrawBlt(plat::DirectSurface* destination, const GfxDDrawBlit* blits, u16 count);
EngineErr ddrawLockSurface(plat::DirectSurface* surface, GfxSurfaceLock* out);
GfxDDrawHandler* ddrawAddRestoreHandler(GfxDDrawRestoreProc proc, void* datum);
EngineErr ddrawRemoveRestoreHandler(GfxDDrawHandler* handler);
// Offers an event to the handlers, newest first, keeping the current port. With `untilTaken`
// the walk ends at the first non-zero answer; returns whether one answered non-zero.
bool ddrawTellHandlers(u32 kind, uintptr_t datum, bool untilTaken);
bool ddrawHasRestoreHandlers();
void ddrawShutdown();

u32 ddrawLastResult();
u16 ddrawDriverVersion();
u32 ddrawCapsSize();
u16 ddrawRelaxClipping();
u16 ddrawFullScreenSetting();

// The [DirectDraw] settings the next start-up reads; graphics start-up gives them.
void ddrawConfigure(const GfxDDrawSettings& settings);
// The capabilities the next start-up takes instead of the platform's (tests only; null: the
// platform's own).
void ddrawUseCapabilities(const plat::DirectCapabilities* capabilities);
