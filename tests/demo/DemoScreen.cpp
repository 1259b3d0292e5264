#include "DemoScreen.h"

#include "engine/ini/IniProfiles.h"
#include "engine/base/MemoryHandles.h"
#include "engine/os/OsManager.h"
#include "engine/files/OsServices.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxInit.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxDDrawWindowPort.h"
#include "platform/ui/Windows.h"

namespace {

// Eight bars of the primaries and their mixes over the top half, a grey ramp below.
constexpr u16 kBars[8] = {0x7FFF, 0x7FE0, 0x03FF, 0x03E0, 0x7C1F, 0x7C00, 0x001F, 0x0000};

}  // namespace

u16 demoPictureWord(i32 x, i32 y, i32 width, i32 height) {
    if (y < height / 2) return kBars[x * 8 / width];
    u16 level = u16(x * 32 / width);
    return u16(level << 10 | level << 5 | level);
}

std::unique_ptr<DemoScreen> DemoScreen::open(int32_t width, int32_t height, std::string* whyNot) {
    std::unique_ptr<DemoScreen> screen(new DemoScreen());
    if (osmInit(nullptr) != kErrNone) {
        *whyNot = "the OS manager did not start";
        return nullptr;
    }
    screen->managerStarted_ = true;
    if (memInit(0, 512) != kErrNone) {
        *whyNot = "the memory manager did not start";
        return nullptr;
    }
    screen->memoryStarted_ = true;
    if (osInit() != kErrNone) {
        *whyNot = "the OS services did not start";
        return nullptr;
    }
    screen->servicesStarted_ = true;
    if (iniInit() != kErrNone) {
        *whyNot = "the INI profiles did not start";
        return nullptr;
    }
    screen->profilesStarted_ = true;
    GfxDisplayMode anyMode(kGfxAnySize, kGfxAnySize, kGfxAnyColors, 0);
    if (EngineErr error = gfxInit(&anyMode, 0); error != kErrNone) {
        *whyNot = "graphics did not start (error " + std::to_string(error) + ")";
        return nullptr;
    }
    screen->graphicsStarted_ = true;
    screen->window_ = plat::createWindow({"DemoScreen", "Tumblo test picture", plat::defaultWindowProcedure});
    screen->face_ = plat::displayDriver().openWindow(screen->window_, "Tumblo test picture", width, height);
    if (!screen->face_) {
        *whyNot = "the display driver opened no window";
        return nullptr;
    }
    screen->windowPort_ = gfxNewDDrawWindowPort(screen->window_, 0, nullptr);
    screen->picture_ = static_cast<GfxOffscreenPort*>(gfxNewOffscreenPort(u16(width), u16(height), 16, nullptr));
    if (!screen->windowPort_ || !screen->picture_) {
        *whyNot = "the ports were not made (graphics error " + std::to_string(gfxGetLastError()) + ")";
        return nullptr;
    }
    return screen;
}

DemoScreen::~DemoScreen() {
    gfxSetPort(nullptr);
    if (picture_) gfxDisposePort(picture_);
    if (windowPort_) gfxDisposePort(windowPort_);
    face_.reset();
    if (window_ != plat::kNoWindow) plat::destroyWindow(window_);
    if (graphicsStarted_) gfxShutdown();
    if (profilesStarted_) iniShutdown();
    if (servicesStarted_) osShutdown();
    if (memoryStarted_) memShutdown();
    if (managerStarted_) osmShutdown();
}

EngineErr DemoScreen::showTestPicture() {
    Rect16 whole{0, 0, picture_->deviceRect.right, picture_->deviceRect.bottom};
    EngineErr error = gfxLockPort(picture_);
    if (error != kErrNone) return error;
    GfxPort* previous = gfxSetPort(picture_);
    // One fill per run of equal words.
    for (i16 y = 0; y < whole.bottom; ++y) {
        i16 runStart = 0;
        for (i16 x = 1; x <= whole.right && error == kErrNone; ++x) {
            u16 word = demoPictureWord(runStart, y, whole.right, whole.bottom);
            if (x < whole.right && demoPictureWord(x, y, whole.right, whole.bottom) == word) continue;
            GfxColor color = GfxColor::rgb(u8((word >> 10 & 31) << 3), u8((word >> 5 & 31) << 3), u8((word & 31) << 3));
            error = gfxFillRect(Rect16{runStart, y, x, i16(y + 1)}, color, 0);
            runStart = x;
        }
    }
    if (error == kErrNone) error = gfxLockPort(windowPort_);
    if (error == kErrNone) {
        error = gfxCopyBits(windowPort_, picture_, whole, whole, 0);
        gfxUnlockPort(windowPort_);
    }
    gfxSetPort(previous);
    gfxUnlockPort(picture_);
    return error;
}
