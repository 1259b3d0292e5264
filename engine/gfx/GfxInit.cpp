#include "engine/gfx/GfxInit.h"

#include "engine/base/TextUtils.h"
#include "engine/os/OsManager.h"
#include "engine/gfx/GfxDecompressors.h"
#include "engine/gfx/GfxDirectDraw.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxFont.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PaletteState.h"
#include "platform/files/Files.h"
#include "platform/gdi/FontCatalog.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace {

struct StartState {
    bool initialised = false;
    osmActivateProc previousActivate = nullptr;
    u16 active = 0;
    std::vector<std::string> privateFonts;
};

StartState& start() {
    static StartState s;
    return s;
}

void tellFontChange() {
    for (plat::WindowHandle window : plat::allWindows()) plat::postMessage(window, plat::kMsgFontChange, 0, 0);
}

bool isFontFile(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    const char* extension = name.c_str() + dot;
    return strCompareNoCase(extension, ".TTF") == 0 || strCompareNoCase(extension, ".FON") == 0;
}

void installPrivateFonts(const std::string& folder) {
    plat::FindData found;
    plat::FindHandle find = plat::kNoFind;
    if (plat::findFirst(folder + "\\*.*", &found, &find) != 0) return;
    do {
        if (!isFontFile(found.name)) continue;
        std::string text = folder + "\\" + found.name;
        std::string host = plat::hostPathOfText(text);
        if (!host.empty() && plat::gdi::addPrivateFont(host)) start().privateFonts.push_back(text);
    } while (plat::findNext(find, &found) == 0);
    plat::findClose(find);
    if (!start().privateFonts.empty()) tellFontChange();
}

void activate(u16 active) {
    StartState& s = start();
    if (s.previousActivate) s.previousActivate(active);
    if (active != s.active) gfxPaletteActivation(active);
    s.active = active;
}

// The failures after a switch leave the display as the program found it.
EngineErr failAfterSwitch(EngineErr error) {
    gfxRestoreDisplayMode();
    return gfxSetError(error);
}

}  // namespace

EngineErr gfxInit(GfxDisplayMode* wanted, u16 changeAllowed) {
    GfxSettings settings;
    gfxReadSettings(nullptr, &settings);
    return gfxInitWith(settings, plat::programFolderText(), wanted, changeAllowed);
}

EngineErr gfxInitWith(const GfxSettings& settings, const std::string& programFolder, GfxDisplayMode* wanted,
                      u16 changeAllowed) {
    StartState& s = start();
    if (s.initialised) return gfxSetError(kErrNone);
    s = StartState{};
    gfxSetDisplayChangeEnabled(settings.enableDisplayChange);
    gfxSetQtPaletteOption(settings.enableQtPalette);
    gfxSetFontCharSet(u8(settings.charSet));
    ddrawConfigure(settings.ddraw);

    u16 found = gfxCheckDisplayMode(wanted, changeAllowed);
    if (found == kGfxModeError) return gfxGetLastError();
    if (found == 0) return gfxSetError(kGfxErrNoDisplayMode);
    if (changeAllowed && gfxSetDisplayMode(wanted) != 1) return failAfterSwitch(kGfxErrNoDisplayMode);

    GfxDisplayMode current;
    gfxGetCurrentDisplayMode(&current);
    gfxSetDisplayDepth(current.bitsPerPixel);
    gfxSetSystemPaletteUse(kGfxSystemUseStatic);
    EngineErr error = gfxInitPalettes();
    if (error != kErrNone) return failAfterSwitch(error);
    GfxFont* font = gfxNewFont(nullptr, 0, 0);
    if (!font) {
        error = gfxGetLastError();
        gfxShutdownPalettes();
        return failAfterSwitch(error);
    }
    gfxSetDefaultFont(font);

    installPrivateFonts(programFolder);
    std::string pluginFolder = plat::hostPathOfText(programFolder);
    for (const auto& [codec, value] : settings.decompressors) gfxLoadDecompressor(codec, value, pluginFolder);
    gfxStartCursor();

    s.previousActivate = osmSetActivateCallback(activate);
    s.initialised = true;
    if (osmIsAppActive()) {
        if (s.previousActivate) s.previousActivate(1);
        if (!s.active && paletteState().noStatic) gfxSetSystemPaletteUse(kGfxSystemUseNoStatic);
        s.active = 1;
    }
    return gfxSetError(kErrNone);
}

void gfxShutdown() {
    StartState& s = start();
    if (!s.initialised) return;
    osmSetActivateCallback(s.previousActivate);
    if (s.active) {
        ddrawSetCooperativeLevel(0);
        if (paletteState().systemUse == kGfxSystemUseNoStatic) gfxSetSystemPaletteUse(kGfxSystemUseStatic);
    }
    s.active = 0;
    gfxStopCursor();
    gfxSetPort(nullptr);
    while (GfxPort* port = gfxPortListHead()) {
        while (port->lockCount) gfxUnlockPort(port);
        gfxDisposePort(port);
    }
    gfxShutdownPalettes();
    gfxDisposeAllFonts();
    if (!s.privateFonts.empty()) {
        plat::gdi::removePrivateFonts();
        tellFontChange();
    }
    gfxUnloadDecompressors();
    gfxSetSystemPaletteUse(kGfxSystemUseStatic);
    ddrawShutdown();
    gfxRestoreDisplayMode();
    s = StartState{};
}

bool gfxInitialised() { return start().initialised; }

const std::vector<std::string>& gfxPrivateFonts() { return start().privateFonts; }
