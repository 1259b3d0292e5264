#pragma once
// The framework's application object. The program builds exactly one, as a static object; it
// registers itself at construction, and the program entry (mfxMain) drives it: instance
// initialisation, start-up, the idle step and activation from the message loop, exit at the
// end. The program's application class fills the slots below. User-interface thread only.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "platform/ui/Messages.h"

class mfxApplication {
public:
    mfxApplication();
    mfxApplication(const mfxApplication&) = delete;
    mfxApplication& operator=(const mfxApplication&) = delete;
    virtual ~mfxApplication();

    // Called once before start-up with the command line: the options (arguments beginning
    // with '/') and the one document, its surrounding quotes already removed (empty when none).
    // Non-zero lets the start go on.
    virtual u32 InitInstance(u32 mode, const std::vector<std::string>& options, const std::string& document);
    // 0: running; anything else ends the program with that code.
    virtual u16 Startup(u32 mode, const std::vector<std::string>& options);
    // The program became active (1) or inactive (0).
    virtual u32 OnActivate(u32 activating);
    // The framework's idle step; non-zero asks the application to deliver its queued messages.
    virtual u16 OnIdle();
    // Sees each message before the windows do; true keeps it from them.
    virtual bool PreTranslateMessage(const plat::Message& message);
    // Whether the program may end now.
    virtual bool MayQuit();
    virtual void ExitInstance();
    virtual u32 RealizePalette();
    // A termination signal ends the program (mfxSignalEnding.h): what must not be lost is
    // kept here, without a question, from whatever loop is running; the process ends after.
    virtual void OnTerminationSignal();

    // Asks MayQuit unless it already said yes, and keeps a yes; when the program may end,
    // posts the quit message to the loop.
    void Quit();
    // The program is on its way out: its quit was allowed, or a signal ends it.
    bool IsQuitting() const;

    // The registered application object, null when none exists.
    static mfxApplication* Get();

private:
    bool quitAllowed_ = false;
};
