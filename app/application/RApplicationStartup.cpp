// Start-up and exit of the application, in the one order every service depends on.
#include <cstring>

#include "app/application/RApplication.h"
#include "app/menus/RShellWindow.h"
#include "app/application/SoundManagerTick.h"
#include "app/module/RModule.h"
#include "app/menus/MenuCommands.h"
#include "document/clipboard/CCPObj.h"
#include "document/import/FileImport.h"
#include "document/pages/PagePainting.h"
#include "document/pages/RPage.h"
#include "document/project/RPortfolio.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "document/users/StaleReplacements.h"
#include "engine/audio/Audio.h"
#include "engine/audio/PcmMix.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/os/OsManager.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxInit.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxDDrawWindowPort.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPrintSetup.h"
#include "engine/gfx/GfxPrinterPort.h"
#include "engine/gfx/gl/GlSharedRenderer.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/ini/IniProfiles.h"
#include "engine/resources/NamedResources.h"
#include "engine/resources/ResourceManager.h"
#include "engine/timers/Timers.h"
#include "engine/util/IniWriteStringEnsurePath.h"
#include "engine/util/SingleInstance.h"
#include "framework/contents/GameFileMgr.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/input/RCursorTable.h"
#include "framework/language/LanguageTexts.h"
#include "framework/menus/mfxMenu.h"
#include "framework/messaging/mfDispatcher.h"
#include "framework/printing/mfxPrintDialog.h"
#include "framework/printing/mfxPrintProgress.h"
#include "framework/undo/UndoManager.h"
#include "media/objects/MovieFirstFrame.h"
#include "media/objects/RDemoMovie.h"
#include "media/quicktime/ImgPagePicture.h"
#include "media/swfgl/FirstFramePainter.h"
#include "platform/charset/Conversion.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/drives/Drives.h"
#include "sound/RSoundManager.h"
#include "sound/sprites/SprSoundChannels.h"
#include "text/speech/SpeechSurroundings.h"
#include "tools/base/RTool.h"

namespace Ostrel {

namespace {

constexpr u16 kFailedStart = 1;
// Users, a user, the library, a kind of media, what a library holds.
constexpr int kUserFoldersDepth = 4;
constexpr u16 kMemoryHandles = 512;
constexpr u16 kPaletteEntries = 256;
constexpr u8 kPaletteEntryFlag = 0x81;
constexpr u16 kProgramColorDepth = 16;
constexpr u32 kProgramColorCount = 65536;
constexpr const char* kGeneralContent = "General";
constexpr const char* kHardwareStrings = "HardwareStrings";
constexpr const char* kMenuStrings = "MenuStrings";

MemLowMemoryCallback gPreviousLowMemory = nullptr;

// Sounds hold the most memory that can go at once; then the request is answered from what can
// be purged, or passed on.
u16 lowMemoryHandler(u32 bytesNeeded, EngineErr error) {
    sprStopAllSounds();
    const u32 purgeable = memPurgeSpace(0, 0);
    if (purgeable >= bytesNeeded || purgeable + memGetFreeSpace(0) >= bytesNeeded) return 1;
    return gPreviousLowMemory ? gPreviousLowMemory(bytesNeeded, error) : 0;
}

// A folder (an engine text) as the desktop names it, without asking its disc, which may refuse.
std::string shownFolder(const std::string& folder) {
    if (folder.size() < 2 || folder[1] != ':') return folder;
    std::string shown = plat::utf8ToCp1252(plat::driveHostRoot(folder[0]));
    if (shown == "/" && folder.size() > 2) shown.clear();
    for (size_t i = 2; i < folder.size(); ++i) shown += folder[i] == '\\' ? '/' : folder[i];
    return shown;
}

// The text that says what is wrong with a refused lock folder or file.
const char* lockRefusalText(plat::LockRefusal why) {
    switch (why) {
        case plat::LockRefusal::kNotPrivate: return "LockFolderOpen";
        case plat::LockRefusal::kFolder: return "LockIsFolder";
        case plat::LockRefusal::kNotAFile: return "LockNotAFile";
        case plat::LockRefusal::kLinked: return "LockIsLink";
        case plat::LockRefusal::kNone:
        case plat::LockRefusal::kOthersCanChange: break;
    }
    return "LockRefused";
}

bool differs(const GfxDisplayMode& a, const GfxDisplayMode& b) {
    return a.width != b.width || a.height != b.height || a.colorCount != b.colorCount;
}

std::string readIni(const Path* file, const char* section, const char* key, u16 size) {
    std::vector<char> buffer(size + 1, '\0');
    iniGetString(file, section, key, buffer.data(), size, "");
    return buffer.data();
}

}  // namespace

u16 RApplication::StartEngineServices() {
    struct Service {
        EngineErr (*start)();
        EngineErr (*lastError)();
        void (*shutdown)();
    };
    // Memory first, audio last: each service uses the ones before it.
    static const Service kServices[] = {
        {[] { return memInit(0, kMemoryHandles); }, memGetLastError, memShutdown},
        {osInit, pathGetLastError, osShutdown},
        {iniInit, iniGetLastError, iniShutdown},
        {resInit, resGetLastError, [] { resShutdown(); }},
        {timerInit, timerGetLastError, timerShutdown},
        {[] { return audioInit(); }, audioGetLastError, audioShutdown},
    };
    for (const Service& service : kServices) {
        if (EngineErr error = service.start(); error != kErrNone) {
            const EngineErr last = service.lastError();
            return u16(last != kErrNone ? last : error);
        }
        shutdowns_.push_back(service.shutdown);
    }
    return 0;
}

void RApplication::ShutEngineServices() {
    while (!shutdowns_.empty()) {
        void (*shutdown)() = shutdowns_.back();
        shutdowns_.pop_back();
        shutdown();
    }
}

u16 RApplication::CheckAudioDevices() {
    for (;;) {
        PcmMixDevCaps caps;
        if (pcmMixGetNumDevs() > 0 && pcmMixGetDevCaps(0, &caps, kPcmMixDevCapsSize) == 0) return 0;
        const RcString text = LookupLanguageText(kHardwareStrings, "NoAudioDevices");
        const u32 answer = mfxAlert(kAlertRetryCancel | kAlertIconStop, text.c_str());
        if (answer != kAlertAnswerRetry) {
            Quit();
            return u16(answer);
        }
    }
}

bool RApplication::AskAudioDeviceBusy() {
    const RcString text = LookupLanguageText(kHardwareStrings, "AudioDeviceBusy");
    if (mfxAlert(kAlertRetryCancel | kAlertIconStop, text.c_str()) == kAlertAnswerRetry) return true;
    Quit();
    return false;
}

void RApplication::ReadCanvasRects() {
    // A writable file that lost the canvas keys (a teacher wrote it by hand) would leave no
    // canvas to paint on: each key the writable settings lack comes from the installed ones.
    EnginePath settings(paths_ ? paths_->SettingsFile() : "");
    EnginePath installed(paths_ ? paths_->InstalledSettingsFile() : "");
    const auto read = [&](const std::string& key) {
        i32 value = 0;
        for (const EnginePath* file : {&settings, &installed})
            if (!file->empty() &&
                iniGetLong(file->get(), kSectionCanvasSettings, key.c_str(), &value, INT32_MIN, INT32_MAX) == kErrNone)
                break;
        return value;
    };
    struct Canvas {
        const char* prefix;
        Rect16* rect;
    };
    for (const Canvas& canvas : {Canvas{"easel", &easelCanvasRect_}, Canvas{"slide", &slideCanvasRect_}}) {
        const std::string p = canvas.prefix;
        const i32 top = read(p + "Top"), left = read(p + "Left");
        const i32 width = read(p + "Width"), height = read(p + "Height");
        *canvas.rect = Rect16{i16(left), i16(top), i16(left + width), i16(top + height)};
    }
}

u16 RApplication::Startup(u32, const std::vector<std::string>&) {
    displayChanged_ = 1;
    // The engine's threads are fibres on the one user-interface thread, so nothing needs to be
    // pinned to a processor.
    if (u16 code = StartEngineServices()) return code;
    InstallMediaHooks();
    if (u16 code = OpenProgramFolders()) return code;
    if (u16 code = StartGraphics()) return code;

    CCPObj::Clips().DeleteAll();
    u16 prompt = 1;
    if (iniGetBool(&iniPath_, kSectionTOC, "PromptForMissingCD", &prompt) != kErrNone) prompt = 1;
    contentManager_->quitAllowed = prompt;

    if (u16 code = OpenMainWindow()) return code;
    if (u16 code = OpenSpriteScreen()) return code;
    MakeShellServices();
    // The hot spots' cursors (a tool's, help mode's) from the system archive's 'CURS' items.
    loadCursorTable();

    generalContentOpen_ = OpenNamedResource(kGeneralContent, 1) == 0;
    const u16 audioAnswer = CheckAudioDevices();

    restoreDisplayMode_ = programDisplayMode_;
    if (differs(startDisplayMode_, programDisplayMode_)) displayChanged_ = 1;
    RealizePalette();

    dispatcher_ = std::make_unique<mfDispatcher>();
    userLoggedIn_ = 0;
    if (!portfolio_) portfolio_ = std::make_unique<RPortfolio>(*paths_, std::string());

    if (IniReadBoolText(&iniPath_, kSectionDebugSettings, "lowVol") == 1) spriteScreen_->soundVolume = 1;

    if (IniReadBoolText(&configPath_, kSetupSection, "NoSplash") == 1) {
        PostMessageTo(this, kMsgOpenDocument, 0, 0);
    } else if (u16 result = SwitchModule(kScreenSplash)) {
        return result;
    }
    // The media runtime's decoders pull in many libraries: the runtime is connected once the
    // splash is on the screen (its pictures are our own), so that the child sees the program
    // at once. Without the runtime the program runs on, every picture call of it failing
    // quietly.
    quickTime_ = qtLoadLibrary();
    if (audioAnswer) Quit();
    return 0;
}

void RApplication::InstallMediaHooks() {
    // Printing shows our own dialog (its Options) and progress window with Cancel; imported
    // picture files are decoded by the media runtime, and Flash objects merge into a page
    // through the OpenGL renderer.
    mfxInstallPrintDialog();
    mfxInstallPrintProgress();
    SetPictureFileReader(imgReadPictureFile);
    SetVectorPainter(swf::draw::PaintFirstFrame);
    SetMoviePainter(PaintMovieFirstFrame);
}

u16 RApplication::OpenProgramFolders() {
    const FolderRoots roots = parts_.roots.program.empty() ? Paths::RootsOfThisMachine() : parts_.roots;
    const EnginePath programFolder(roots.program);
    pathJoin(&iniPath_, programFolder.get(), kSettingsFileName);
    pathJoin(&configPath_, programFolder.get(), kConfigFileName);
    // Each tool reads its sizes and sounds from its section there when it is activated.
    setToolProfile(&configPath_);
    if (documentPath_.empty())
        documentPath_ = readIni(&configPath_, kSetupSection, "StartupDoc", u16(kDocumentPathSize - 1));
    SetupLanguageFolders(programFolder.get(), kLanguageSetupFile);
    // A lock folder or file that someone else could tamper with is named, so that whoever
    // looks after the machine can remove it; the same user's second start, a start while the
    // program runs for another user of the machine, or one that another start kept waiting
    // too long, is told and ends.
    if (!SingleInstanceRefusedLock().empty()) {
        std::string text = LookupLanguageText("XPStrings", lockRefusalText(SingleInstanceLockRefusal())).c_str();
        if (const size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, SingleInstanceRefusedLock());
        mfxAlert(kAlertOk | kAlertIconStop, text);
        return kFailedStart;
    }
    if (SingleInstanceStatus().instanceConflict) {
        mfxAlert(kAlertOk | kAlertIconStop, LookupLanguageText("XPStrings", "MutexError").c_str());
        return kFailedStart;
    }

    paths_ = std::make_unique<Paths>(roots);
    const EnginePath dataFolder(paths_->BuildPath(kFolderGuide, false));
    // Beneath the content locator's callback, which hands on what is not a content disc's.
    osSetErrorCallback(&RApplication::PromptForMissingVolume);
    try {
        contentManager_ = std::make_unique<GameFileMgr>(programFolder.get(), dataFolder.get());
    } catch (tContents::tError) {
        return RefuseMissingContents();
    }
    // A content item that fails mid-session stops the program at once: the screen keeps the
    // child's unsaved page first.
    contentManager_->keepUnsavedWork = [this] {
        if (currentScreen_) currentScreen_->KeepUnsavedWork();
    };
    contentManager_->RescanVolumes();
    // A folder that cannot be made is told once, below, not asked about as a disc would be.
    const OsErrorCallback prompt = osSetErrorCallback(nullptr);
    std::string unwritable;
    const EngineErr resolved = paths_->ResolveDataFolders(&unwritable);
    osSetErrorCallback(prompt);
    if (resolved != kErrNone) return RefuseUnwritableFolder(unwritable);
    // What a save that was killed left half written goes before anything reads the folders:
    // the settings, and each user's folders with their libraries.
    RemoveStaleReplacements(paths_->BuildPath(kFolderSettings, false), 0);
    RemoveStaleReplacements(paths_->BuildPath(kFolderUsers, false), kUserFoldersDepth);
    // Speech finds the user's pronunciation list through the program's folders, asked for at
    // its first use (a user is chosen after start-up).
    SetSpeechSurroundings({[this](u16 folder) { return paths_ ? paths_->BuildPath(folder, true) : std::string(); },
                           ShowSpeechMissingAlert});
    // Every run starts in English: a shared machine greets each child the same way.
    SetCurrentLanguage(kLanguageEnglish);
    contentsSetSpanish(false);
    SpeakInLanguage(kLanguageEnglish);
    return 0;
}

// Without its folders the program could keep nobody's work: it says which folder it cannot
// write in (on the terminal and the desktop, as no window exists yet) and ends.
u16 RApplication::RefuseUnwritableFolder(const std::string& folder) {
    std::string text = LookupLanguageText("FileStrings", "CantWriteFolder").c_str();
    if (const size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, shownFolder(folder));
    mfxAlert(kAlertOk | kAlertIconStop, text);
    return kExitUnwritableFolder;
}

// Without its table of contents ("TB.ini") the program finds none of its pictures and sounds:
// it says so (on the terminal and the desktop, as no window exists yet) and ends. That table
// also names the language texts, which then cannot be read: these words are the only ones
// left, and name the file that is missing.
u16 RApplication::RefuseMissingContents() {
    char table[kSystemTextSize] = {};
    pathGetFullText(&iniPath_, table);
    mfxAlert(kAlertOk | kAlertIconStop, "Tumblo cannot start: its file \"" + shownFolder(table) + "\" is missing. Install Tumblo again.");
    return kFailedStart;
}

// Without a display there is no window for the child: the program says why and ends, rather
// than run on where nobody sees it (headless is only for the asking).
u16 RApplication::RefuseMissingDisplay() {
    const std::string display = plat::displayName();
    const char* why = display.empty() ? "NoDisplay" : plat::displaySilent() ? "DisplaySilent" : "DisplayRefused";
    std::string text = LookupLanguageText("XPStrings", why).c_str();
    if (const size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, display);
    mfxAlert(kAlertOk | kAlertIconStop, text);
    return kFailedStart;
}

u16 RApplication::StartGraphics() {
    if (plat::displayRefused()) return RefuseMissingDisplay();
    // The window is drawn by our own ports, not through a GL context: no context is current
    // here, and the canvases' renderer sets its viewport each time it is bound to a picture.
    gPreviousLowMemory = memSetLowMemoryCallback(lowMemoryHandler);

    gfxGetCurrentDisplayMode(&startDisplayMode_);
    programDisplayMode_ = GfxDisplayMode(startDisplayMode_.width, startDisplayMode_.height, kProgramColorCount, 0);
    programDisplayMode_.bitsPerPixel = kProgramColorDepth;
    GfxDisplayMode wanted = startDisplayMode_;
    if (gfxInit(&wanted, 0) != kErrNone) return u16(gfxGetLastError());
    shutdowns_.push_back(gfxShutdown);
    return 0;
}

u16 RApplication::OpenMainWindow() {
    displayRect_.left = i16((startDisplayMode_.width - kScreenWidth) / 2);
    displayRect_.right = i16(displayRect_.left + kScreenWidth);
    displayRect_.top = i16((startDisplayMode_.height - kScreenHeight) / 2);
    displayRect_.bottom = i16(displayRect_.top + kScreenHeight);
    ReadCanvasRects();

    GfxColor entries[kPaletteEntries];
    for (GfxColor& entry : entries) entry = GfxColor{0, 0, 0, kPaletteEntryFlag};
    palette_ = gfxNewPalette(kPaletteEntries, entries);

    if (parts_.mainWindow)
        mainWindow_ = parts_.mainWindow(LookupLanguageText("GeneralStrings", "AppName").c_str(), displayRect_);
    if (!mainWindow_ || !mainWindow_->GetHandle()) return kFailedStart;
    // The engine's display code finds the window it draws for through the OS services.
    osmSetMainWindow(mainWindow_->GetHandle());
    static constexpr u8 kStandard[kStandardColorCount][3] = {
        {255, 255, 255}, {0, 0, 0},     {50, 50, 50},  {180, 180, 180}, {255, 0, 0},
        {0, 255, 0},     {0, 255, 255}, {0, 0, 255},   {255, 0, 255},   {0, 255, 255},
    };
    for (size_t i = 0; i < kStandardColorCount; ++i)
        standardColors_[i] = GfxColor::rgb(kStandard[i][0], kStandard[i][1], kStandard[i][2]);
    return 0;
}

u16 RApplication::OpenSpriteScreen() {
    // The picture lies below the window's menu band.
    const Rect16 pictureArea = mainWindow_->ContentRect();
    windowPort_ = gfxNewDDrawWindowPort(mainWindow_->GetHandle(), 0, palette_, &pictureArea);
    if (!windowPort_) return kFailedStart;
    gfxLockPort(windowPort_);
    gfxSetPort(windowPort_);
    RealizePalette();
    offscreenPort_ = gfxNewOffscreenPort(u16(screenRect_.right), u16(screenRect_.bottom), kProgramColorDepth, palette_);
    if (!offscreenPort_) return kFailedStart;
    gfxLockPort(offscreenPort_);
    gfxSetPort(offscreenPort_);

    spriteScreen_ = std::make_unique<SprScreen>();
    if (!sprInit(spriteScreen_.get(), windowPort_, offscreenPort_, screenRect_, palette_)) {
        spriteScreen_.reset();
        return kFailedStart;
    }
    sprSetScreen(spriteScreen_.get());
    // The screen state's sixteen channels play the sprites', screens' and dialogs' sounds.
    sprInstallSoundChannels();
    sprSetDeviceBusyPrompt([this] { return AskAudioDeviceBusy(); });
    return 0;
}

void RApplication::MakeShellServices() {
    // The Edit menu's item by its command (a bare number would name a position: the File
    // title). The content set words Undo and Redo with the other menu texts, so those two are
    // taken from there when [UndoStrings] has none.
    undoManager_ = std::make_unique<UndoManager>(mfxMenuCommand(kCmdUndo), [](const char* key) {
        std::string text = LookupLanguageText(kUndoStringsSection, key).c_str();
        if (!text.empty()) return text;
        const std::string wanted = key;
        if (wanted == "UndoMenuItem") return std::string(LookupLanguageText(kMenuStrings, "Undo").c_str());
        if (wanted == "RedoMenuItem") return std::string(LookupLanguageText(kMenuStrings, "Redo").c_str());
        return text;
    });
    soundManager_ = std::make_unique<RSoundManager>();
    soundTick_ = std::make_unique<SoundManagerTick>(*soundManager_);
    printJobs_ = std::make_unique<PrintJobHolder>();
}

u32 RApplication::OnActivate(u32 activating) {
    if (activating) {
        while (audioActivate(1) != kErrNone) {
            const RcString text = LookupLanguageText(kHardwareStrings, "NoAudioDevices");
            if (mfxAlert(kAlertRetryCancel | kAlertIconStop, text.c_str()) != kAlertAnswerRetry) {
                Quit();
                return 0;
            }
        }
        RealizePalette();
        restoreDisplayMode_ = programDisplayMode_;
        GfxDisplayMode current;
        gfxGetCurrentDisplayMode(&current);
        if (differs(current, restoreDisplayMode_)) displayChanged_ = 1;
        return contentManager_ ? contentManager_->RescanVolumes() : 0;
    }
    audioActivate(0);
    RealizePalette();
    GfxDisplayMode current;
    gfxGetCurrentDisplayMode(&current);
    if (differs(current, startDisplayMode_)) displayChanged_ = 1;
    return 0;
}

void RApplication::ExitInstance() {
    shuttingDown_ = 1;
    if (currentScreen_) {
        RMessage message(kMsgShuttingDown, 0, 0);
        currentScreen_->HandleMessage(&message, 0);
    }
    SaveGlobalUserSettings();
    currentScreen_.reset();
    currentCode_ = 0;
    loginDialog_.reset();
    // A demonstration still shown holds a sprite, a mixer stream and a movie of the runtime:
    // it goes while all three are up.
    demoMovieSetSlot(nullptr);
    CCPObj::Clips().DeleteAll();
    currentPage_.reset();
    portfolio_.reset();
    undoManager_.reset();
    soundTick_.reset();
    soundManager_.reset();
    dispatcher_.reset();
    if (spriteScreen_) {
        sprShutdown(spriteScreen_.get());
        sprSetDeviceBusyPrompt(nullptr);
        sprSetSoundHooks(SprSoundHooks{});
        sprSetScreen(nullptr);
        spriteScreen_.reset();
    }
    glReleaseSharedRenderer();
    gfxSetPort(nullptr);
    for (GfxPort** port : {&offscreenPort_, &windowPort_}) {
        if (!*port) continue;
        while ((*port)->lockCount) gfxUnlockPort(*port);
        gfxDisposePort(*port);
        *port = nullptr;
    }
    osmSetMainWindow(plat::kNoWindow);
    mainWindow_.reset();
    releaseCursorTable();
    if (palette_) gfxDisposePalette(palette_);
    palette_ = nullptr;
    if (generalContentOpen_) ReleaseNamedResource(kGeneralContent);
    generalContentOpen_ = false;
    contentManager_.reset();
    if (quickTime_) qtFreeLibrary(std::move(quickTime_));
    SetPictureFileReader(nullptr);
    SetVectorPainter(nullptr);
    gfxSetPrintDialogProc(nullptr);
    gfxSetDefaultPrintProgress(nullptr);
    paths_.reset();
    settings_.reset();
    if (gPreviousLowMemory || shutdowns_.size() > 0) memSetLowMemoryCallback(gPreviousLowMemory);
    gPreviousLowMemory = nullptr;
    pathRelease(&iniPath_);
    setToolProfile(nullptr);
    pathRelease(&configPath_);
    // The language files are reached through paths on the file services' volumes: they are
    // let go before those volumes go, so that no text looked up later reads a volume that is gone.
    const Path noFolder{};
    SetupLanguageFolders(&noFolder, kLanguageSetupFile);
    ShutEngineServices();
}

}  // namespace Ostrel
