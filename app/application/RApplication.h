#pragma once
// The program's one application object. The framework's entry drives it: instance
// initialisation, start-up (the engine services, the folders, the main window, the sprite
// layer, the undo and sound managers, then the splash or the login), the idle step that
// delivers queued messages, activation, and the exit that takes everything down again in
// the reverse order. Its listener part switches the screens: screens, menus and dialogs post
// the screen codes 5567-5579 and only the application deletes one screen and enters the next.
// User-interface thread only.
#include <memory>
#include <string>
#include <vector>

#include "app/application/ApplicationMessages.h"
#include "app/application/ShellParts.h"
#include "app/menus/RMenuOwner.h"
#include "app/print/PrintJobHolder.h"
#include "app/settings/GlobalUserSettings.h"
#include "document/clipboard/ClipList.h"
#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"
#include "engine/gfx/GfxColor.h"
#include "engine/gfx/GfxDisplayModes.h"
#include "engine/regions/Rects.h"
#include "framework/app/mfxApplication.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"
#include "media/quicktime/QtConnection.h"

class mfDispatcher;
struct GfxPort;
struct GfxPalette;
struct SprScreen;
struct OsErrorRecord;

namespace Ostrel {

class GameFileMgr;
class Paths;
class RDocument;
class RModule;
class RPage;
class RInputObject;
class RPortfolio;
class RShellWindow;
class RSoundManager;
class UndoManager;

constexpr FourCC kApplicationSenderTag = fourCC("RApp");

// What the program ends with when it cannot start for want of a folder it may write in (the
// user's data or settings folder read-only, or its disc full): sysexits' "cannot create".
constexpr u16 kExitUnwritableFolder = 73;

constexpr i16 kScreenWidth = 800;
constexpr i16 kScreenHeight = 600;
constexpr size_t kDocumentPathSize = 260;
constexpr size_t kStandardColorCount = 10;
constexpr const char* kConfigFileName = "TB.cfg";
constexpr const char* kSetupSection = "Setup";
// The period of the OS manager's timer, which runs the idle step and the windows' ticks when
// no input comes: the shortest a desktop window timer gives (a 1 ms request there is raised
// to it). At 1 ms the easel left alone woke a thousand times a second and kept several percent
// of a core busy; input still runs the loop at once, whatever the period.
constexpr u32 kLoopTimerPeriod = 10;

class RApplication : public mfxApplication, public CListener, public RSender, public RMenuOwner {
public:
    RApplication();
    ~RApplication() override;

    // The program's screens, main window, login dialog and folders; registered before the start.
    void SetShellParts(ShellParts parts) { parts_ = std::move(parts); }

    // --- the framework's slots
    u32 InitInstance(u32 mode, const std::vector<std::string>& options, const std::string& document) override;
    u16 Startup(u32 mode, const std::vector<std::string>& options) override;
    // Activation: the audio output and the display mode follow the program to the front.
    u32 OnActivate(u32 activating) override;
    u16 OnIdle() override;
    bool PreTranslateMessage(const plat::Message& message) override;
    void ExitInstance() override;
    u32 RealizePalette() override;
    // The session ends under the program (a signal): the screen's unsaved page becomes the
    // recovery copy that the next login offers, as when content fails, and the settings are kept.
    void OnTerminationSignal() override;

    // --- screen switching and document opening
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // 0, or the new screen's entry result.
    u16 SwitchModule(u32 code);
    // The menus for a screen code, without switching (dialogs restore them when they close).
    void SetMenuModeForScreen(u32 code);

    // --- the global user settings
    GlobalUserSettings* GetGlobalUserSettings() const { return settings_.get(); }
    void ResetGlobalUserSettings();
    // A damaged "user.ini" is set aside and a fresh one written, and the child told; a save
    // that fails otherwise is told once, until one succeeds.
    void SaveGlobalUserSettings();
    void LoadGlobalUserSettings();

    // --- what the screens, panels and dialogs share
    RPage* GetCurrentPage() const { return currentPage_.get(); }
    // Takes the page; the previous one is handed back to the caller.
    std::unique_ptr<RPage> SetCurrentPage(std::unique_ptr<RPage> page);
    RDocument* GetCurrentDocument() const;
    RPortfolio* GetPortfolio() const { return portfolio_.get(); }
    // The slide-show canvas while the slide-show player is current, else the easel's.
    void GetCanvasRect(Rect16* out) const;
    // Where the slide show plays, whichever screen is up.
    const Rect16& SlideShowRect() const { return slideCanvasRect_; }
    const Rect16& GetScreenRect() const { return screenRect_; }
    const Rect16& GetDisplayRect() const { return displayRect_; }

    bool IsMenuCommandEnabled(u16 command) const;
    void EnableMenuCommand(u16 command);
    void DisableMenuCommand(u16 command);

    // 0 English, 1 Spanish. Setting it also gives speech the language's voices.
    u16 GetLanguage() const;
    void SetLanguage(u16 language);
    // Speech back in the voices of a language, after a reader chose its own (a note's).
    static void SpeakInLanguage(u16 language);

    RModule* GetCurrentModule() const { return currentScreen_.get(); }
    // Whether the program has the screen of a code (ShellParts.h) to switch to.
    bool HasScreen(u32 code) const { return parts_.builds && parts_.builds(code); }
    // The code of the current screen (ShellParts.h), 0 without one.
    u32 GetCurrentModuleCode() const { return currentCode_; }
    RShellWindow* GetMainWindow() const { return mainWindow_.get(); }
    GfxPort* GetWindowPort() const { return windowPort_; }
    GfxPort* GetOffscreenPort() const { return offscreenPort_; }
    UndoManager* GetUndoManager() const { return undoManager_.get(); }
    // The print command's holder of the running print job.
    PrintJobHolder* GetPrintJobHolder() const { return printJobs_.get(); }
    Paths* GetPaths() const { return paths_.get(); }
    RSoundManager* GetSoundManager() const { return soundManager_.get(); }
    ClipList& GetClipList() const;
    GameFileMgr* GetContentManager() const { return contentManager_.get(); }
    const GfxColor& GetStandardColor(size_t index) const { return standardColors_[index]; }

    const std::string& GetDocumentPath() const { return documentPath_; }
    const Path& GetIniPath() const { return iniPath_; }
    const Path& GetConfigPath() const { return configPath_; }
    bool IsUserLoggedIn() const { return userLoggedIn_ != 0; }
    bool IsLoginFromConfiguration() const { return loginFromConfiguration_ != 0; }
    bool IsShuttingDown() const { return shuttingDown_ != 0; }
    bool IsLoginOpen() const { return loginDialog_ != nullptr; }

    // --- the missing-volume prompt
    // The file layer's error callback, installed at start-up beneath the content locator's,
    // which passes on what does not concern a content disc in use: a volume the user is asked
    // to put back (kind 3), a system error tried again, anything else given up for good and the
    // program ended. 1 = try the file operation again, 0 = give up.
    static u16 PromptForMissingVolume(const OsErrorRecord* request);
    // Whether the prompt may ask for a volume (0: it gives up at once); returns the previous value.
    static u16 SetMissingVolumePrompt(u16 flag);

private:
    u16 StartEngineServices();
    void ShutEngineServices();
    // The steps of start-up, in their order; each answers 0 or the code start-up ends with.
    void InstallMediaHooks();
    u16 OpenProgramFolders();
    u16 RefuseUnwritableFolder(const std::string& folder);
    u16 RefuseMissingContents();
    u16 RefuseMissingDisplay();
    u16 StartGraphics();
    u16 OpenMainWindow();
    u16 OpenSpriteScreen();
    void MakeShellServices();
    void ReadCanvasRects();
    u16 CheckAudioDevices();
    // The sprite channels' question about an audio device another program holds: Retry tries
    // again; Cancel ends the program.
    bool AskAudioDeviceBusy();
    void OpenDocumentOrLogin(u16 reLogin);
    void OpenLoginDialog(u16 openedLater, bool administrator);
    void LoginClosed(const std::string* name, u16 answer);
    void ShowScreenWithNewPage(u16 param2);
    void ShowPicker();
    // After a login: the page kept when the program last had to stop is offered back on the easel.
    void OfferRecoveredPicture();
    bool OpenDocumentOnEntry();
    void LoadMenuBarOnce();
    void ForwardToScreen(RMessage* message, u32 data);

    ShellParts parts_;
    Rect16 screenRect_{0, 0, kScreenWidth, kScreenHeight};
    std::unique_ptr<RShellWindow> mainWindow_;
    GfxPort* windowPort_ = nullptr;
    GfxPort* offscreenPort_ = nullptr;
    Rect16 displayRect_{0, 0, kScreenWidth, kScreenHeight};
    Rect16 easelCanvasRect_{0, 0, 0, 0};
    Rect16 slideCanvasRect_{0, 0, 0, 0};
    GfxDisplayMode startDisplayMode_{};
    GfxDisplayMode programDisplayMode_{};
    GfxDisplayMode restoreDisplayMode_{};
    GfxPalette* palette_ = nullptr;
    u16 displayChanged_ = 0;
    std::unique_ptr<mfDispatcher> dispatcher_;
    std::unique_ptr<SprScreen> spriteScreen_;
    std::unique_ptr<RModule> currentScreen_;
    u32 currentCode_ = 0;
    std::unique_ptr<CListener> loginDialog_;
    u32 nextScreenCode_ = kScreenEasel;
    std::unique_ptr<Paths> paths_;
    std::unique_ptr<RPortfolio> portfolio_;
    std::unique_ptr<RPage> currentPage_;
    std::unique_ptr<UndoManager> undoManager_;
    std::unique_ptr<PrintJobHolder> printJobs_;
    std::unique_ptr<RSoundManager> soundManager_;
    // Drives the sound manager's fades from the main window's tick.
    std::unique_ptr<RInputObject> soundTick_;
    u16 shuttingDown_ = 0;
    std::unique_ptr<GameFileMgr> contentManager_;
    GfxColor standardColors_[kStandardColorCount]{};
    std::string documentPath_;
    std::unique_ptr<GlobalUserSettings> settings_;
    bool settingsFailureTold_ = false;
    Path iniPath_{};
    Path configPath_{};
    u8 openOnEntry_ = 1;
    u8 userLoggedIn_ = 0;
    u8 loginFromConfiguration_ = 0;
    // What start-up brought up, so that the exit takes down exactly that.
    std::vector<void (*)()> shutdowns_;
    bool generalContentOpen_ = false;
    // The media runtime, held from the start to the exit; null when it could not be loaded.
    QtLibrary quickTime_;
    u16 missingVolumeAsk_ = 1;
    // Once the prompt has given up, it answers 0 to everything after.
    u16 missingVolumeGivenUp_ = 0;
    // System errors in a row tried again: a lasting one must not retry without end.
    u16 systemErrorRetries_ = 0;
};

// The one application object; null before it is built and after it is gone.
RApplication* GetApplication();

}  // namespace Ostrel
