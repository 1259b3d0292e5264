#include "engine/gfx/GfxDirectDraw.h"

#include <cstdio>
#include <memory>
#include <new>
#include <optional>

#include "engine/os/OsManager.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Windows.h"

namespace {

struct DDrawState {
    bool tried = false;
    std::unique_ptr<plat::DirectSurfaceService> service;
    u16 version = 0;
    u32 capsSize = 0;
    std::unique_ptr<plat::DirectSurface> primary;
    u32 lastResult = kDDrawOk;
    GfxDDrawHandler* handlers = nullptr;
    GfxDDrawSettings settings;
    std::optional<plat::DirectCapabilities> testCapabilities;
    // The main window's own procedure while ours stands in front of it.
    plat::WindowHandle subclassed = plat::kNoWindow;
    plat::WindowProcedure savedProcedure;
    int changingLevel = 0;
};

DDrawState& state() {
    static DDrawState s;
    return s;
}

u32 resultCode(plat::SurfaceResult result) {
    switch (result) {
        case plat::SurfaceResult::Ok: return kDDrawOk;
        case plat::SurfaceResult::Lost: return kDDrawErrSurfaceLost;
        case plat::SurfaceResult::ModeChanged: return kDDrawErrWrongMode;
        case plat::SurfaceResult::NoExclusiveMode: return kDDrawErrNoExclusiveMode;
        case plat::SurfaceResult::ExclusiveElsewhere: return kDDrawErrExclusiveModeAlreadySet;
        case plat::SurfaceResult::Unsupported: return kDDrawErrUnsupported;
        case plat::SurfaceResult::Invalid: return kDDrawErrInvalidParams;
    }
    return kDDrawErrInvalidParams;
}

EngineErr failWith(u32 result) {
    state().lastResult = result;
    return gfxSetError(kGfxErrDirectDraw);
}

EngineErr succeed() {
    state().lastResult = kDDrawOk;
    return gfxSetError(kErrNone);
}

// In front of the main window: leaves the exclusive level when the window goes, keeps
// activation away from it while the level changes, and remakes the primary surface when
// the display mode changed under it.
intptr_t mainWindowProcedure(plat::WindowHandle window, u32 message, uintptr_t wParam, intptr_t lParam) {
    DDrawState& s = state();
    plat::WindowProcedure saved = s.savedProcedure;
    if (message == plat::kMsgActivate && s.changingLevel) return 0;
    if (message == plat::kMsgDestroy) {
        ddrawSetCooperativeLevel(0);
        s.subclassed = plat::kNoWindow;
        s.savedProcedure = nullptr;
    }
    if (message == plat::kMsgDisplayChange && s.primary) {
        s.primary.reset();
        ddrawGetPrimarySurface();
    }
    return saved ? saved(window, message, wParam, lParam) : plat::defaultWindowProcedure(window, message, wParam, lParam);
}

void subclassMainWindow(plat::WindowHandle window) {
    DDrawState& s = state();
    if (!window || s.subclassed) return;
    s.savedProcedure = plat::setWindowProcedure(window, mainWindowProcedure);
    s.subclassed = window;
}

void restoreMainWindow() {
    DDrawState& s = state();
    if (s.subclassed && plat::isWindow(s.subclassed)) plat::setWindowProcedure(s.subclassed, std::move(s.savedProcedure));
    s.subclassed = plat::kNoWindow;
    s.savedProcedure = nullptr;
}

// Runs a call that needs the exclusive level: when it answers so, takes the level (display
// changes allowed) and calls again.
template <typename Call>
EngineErr withExclusiveFallback(Call call) {
    plat::SurfaceResult result = call();
    if (result == plat::SurfaceResult::NoExclusiveMode) {
        if (!gfxDisplayChangeEnabled()) return failWith(kDDrawErrCurrentlyNotAvail);
        EngineErr error = ddrawSetCooperativeLevel(1);
        if (error != kErrNone) return error;
        result = call();
    }
    return result == plat::SurfaceResult::Ok ? succeed() : failWith(resultCode(result));
}

}  // namespace

void ddrawConfigure(const GfxDDrawSettings& settings) { state().settings = settings; }

void ddrawUseCapabilities(const plat::DirectCapabilities* capabilities) {
    if (capabilities) state().testCapabilities = *capabilities;
    else state().testCapabilities.reset();
}

plat::DirectSurfaceService* ddrawGetObject() {
    DDrawState& s = state();
    if (s.tried) {
        gfxSetError(s.service ? kErrNone : kGfxErrNotSupported);
        return s.service.get();
    }
    s.tried = true;
    s.primary.reset();
    if (!s.settings.enable) {
        gfxSetError(kGfxErrNotSupported);
        return nullptr;
    }
    plat::DirectCapabilities capabilities = s.testCapabilities.value_or(plat::DirectCapabilities{});
    s.version = capabilities.driverVersion;
    s.capsSize = s.version > 0x0500 ? kDDrawCapsSizeNew : kDDrawCapsSizeOld;
    if (s.settings.certifiedOnly && !capabilities.certified) {
        gfxSetError(kGfxErrNotSupported);
        return nullptr;
    }
    s.service = std::make_unique<plat::DirectSurfaceService>(plat::displayDriver(), capabilities);
    if (ddrawSetCooperativeLevel(0) != kErrNone) {
        s.service.reset();
        return nullptr;
    }
    succeed();
    return s.service.get();
}

EngineErr ddrawSetCooperativeLevel(u16 fullScreen) {
    DDrawState& s = state();
    if (!s.service) return gfxSetError(kGfxErrNotSupported);
    if (fullScreen && !gfxDisplayChangeEnabled()) return failWith(kDDrawErrCurrentlyNotAvail);
    plat::WindowHandle window = osmGetMainWindow();
    subclassMainWindow(window);
    for (;;) {
        ++s.changingLevel;
        plat::SurfaceResult result = s.service->setCooperativeLevel(window, fullScreen != 0);
        --s.changingLevel;
        if (result == plat::SurfaceResult::Ok) return succeed();
        if (result != plat::SurfaceResult::ExclusiveElsewhere ||
            !ddrawTellHandlers(kDDrawEventExclusiveElsewhere, 0, true))
            return failWith(resultCode(result));
    }
}

plat::DirectSurface* ddrawGetPrimarySurface() {
    DDrawState& s = state();
    if (!ddrawGetObject()) return nullptr;
    if (s.primary) {
        plat::SurfaceResult result = s.primary->restore();
        if (result == plat::SurfaceResult::Ok) {
            succeed();
            return s.primary.get();
        }
        if (result != plat::SurfaceResult::ModeChanged) {
            failWith(resultCode(result));
            return nullptr;
        }
        ddrawTellHandlers(kDDrawEventPrimaryModeLost, 0, false);
        s.primary.reset();
    }
    plat::WindowHandle window = osmGetMainWindow();
    EngineErr error = withExclusiveFallback([&] { return s.service->createPrimary(window, &s.primary); });
    if (error != kErrNone) return nullptr;
    ddrawTellHandlers(kDDrawEventPrimaryCreated, 0, false);
    succeed();
    return s.primary.get();
}

EngineErr ddrawSetDisplayMode(u16 width, u16 height, u16 bitsPerPixel, u32 refreshRate) {
    plat::DirectSurfaceService* service = ddrawGetObject();
    if (!service) return gfxGetLastError();
    plat::DisplayMode mode{width, height, bitsPerPixel, refreshRate};
    return withExclusiveFallback([&] { return service->setDisplayMode(mode); });
}

u32 ddrawEnumDisplayModes(GfxDisplayModeProc callback, void* data) {
    plat::DirectSurfaceService* service = ddrawGetObject();
    if (!service) return 0;
    u32 offered = 0;
    for (const plat::DisplayMode& mode : service->modes()) {
        if (mode.bitsPerPixel != 8 && mode.bitsPerPixel != 16 && mode.bitsPerPixel != 24 && mode.bitsPerPixel != 32)
            continue;
        GfxDisplayRecord record;
        std::snprintf(record.deviceName, sizeof record.deviceName, "%s", kGfxDirectDrawDevice);
        record.bitsPerPel = mode.bitsPerPixel;
        record.pelsWidth = u32(mode.width);
        record.pelsHeight = u32(mode.height);
        record.fields = kGfxFieldBitsPerPel | kGfxFieldPelsWidth | kGfxFieldPelsHeight;
        if (mode.refreshHz) {
            record.displayFrequency = mode.refreshHz;
            record.fields |= kGfxFieldFrequency;
        }
        ++offered;
        if (callback(&record, data)) break;
    }
    succeed();
    return offered;
}

EngineErr ddrawBlt(plat::DirectSurface* destination, const GfxDDrawBlit* blits, u16 count) {
    DDrawState& s = state();
    if (!s.service) return gfxSetError(kGfxErrNotSupported);
    for (u16 i = 0; i < count; ++i) {
        const GfxDDrawBlit& b = blits[i];
        plat::SurfaceResult result =
            s.service->blit(*destination, gfxToGdi(b.destination), *b.source, gfxToGdi(b.sourceRect));
        if (result != plat::SurfaceResult::Ok) return failWith(resultCode(result));
    }
    return succeed();
}

EngineErr ddrawLockSurface(plat::DirectSurface* surface, GfxSurfaceLock* out) {
    plat::SurfaceResult result = surface->lock(&out->base, &out->pitch);
    return result == plat::SurfaceResult::Ok ? succeed() : failWith(resultCode(result));
}

GfxDDrawHandler* ddrawAddRestoreHandler(GfxDDrawRestoreProc proc, void* datum) {
    DDrawState& s = state();
    if (!ddrawGetObject()) return nullptr;
    auto* handler = new (std::nothrow) GfxDDrawHandler{kDDrawHandlerTag, s.handlers, nullptr, proc, datum};
    if (!handler) {
        gfxSetError(kGfxErrOutOfMemory);
        return nullptr;
    }
    if (s.handlers) s.handlers->previous = handler;
    s.handlers = handler;
    gfxSetError(kErrNone);
    return handler;
}

EngineErr ddrawRemoveRestoreHandler(GfxDDrawHandler* handler) {
    DDrawState& s = state();
    if (!handler || handler->tag != kDDrawHandlerTag) return gfxSetError(kGfxErrBadValue);
    if (handler->previous) handler->previous->next = handler->next;
    else s.handlers = handler->next;
    if (handler->next) handler->next->previous = handler->previous;
    handler->tag = 0;
    delete handler;
    return gfxSetError(kErrNone);
}

bool ddrawTellHandlers(u32 kind, uintptr_t datum, bool untilTaken) {
    GfxPort* current = gfxGetPort();
    GfxDDrawEvent event{kind, datum};
    bool taken = false;
    for (GfxDDrawHandler* h = state().handlers; h;) {
        GfxDDrawHandler* next = h->next;  // a handler may remove itself
        if (h->proc(&event, h->datum) != 0) {
            taken = true;
            if (untilTaken) break;
        }
        h = next;
    }
    if (gfxGetPort() != current) gfxSetPort(current);
    return taken;
}

bool ddrawHasRestoreHandlers() { return state().handlers != nullptr; }

void ddrawShutdown() {
    DDrawState& s = state();
    restoreMainWindow();
    s.primary.reset();
    s.service.reset();
    while (s.handlers) ddrawRemoveRestoreHandler(s.handlers);
    s.tried = false;
    s.lastResult = kDDrawOk;
}

u32 ddrawLastResult() { return state().lastResult; }
u16 ddrawDriverVersion() { return state().version; }
u32 ddrawCapsSize() { return state().capsSize; }
u16 ddrawRelaxClipping() { return state().settings.relaxClipping; }
u16 ddrawFullScreenSetting() { return state().settings.fullScreen; }
