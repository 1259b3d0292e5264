#include "framework/app/mfxApplication.h"

#include "platform/display/QuitSignals.h"
#include "platform/ui/MessageQueue.h"

namespace {

mfxApplication*& registered() {
    static mfxApplication* application = nullptr;
    return application;
}

}  // namespace

mfxApplication::mfxApplication() { registered() = this; }

mfxApplication::~mfxApplication() {
    if (registered() == this) registered() = nullptr;
}

mfxApplication* mfxApplication::Get() { return registered(); }

u32 mfxApplication::InitInstance(u32, const std::vector<std::string>&, const std::string&) { return 1; }

u16 mfxApplication::Startup(u32, const std::vector<std::string>&) { return 0; }

u32 mfxApplication::OnActivate(u32) { return 0; }

u16 mfxApplication::OnIdle() { return 1; }

bool mfxApplication::PreTranslateMessage(const plat::Message&) { return false; }

bool mfxApplication::MayQuit() { return true; }

void mfxApplication::ExitInstance() {}

u32 mfxApplication::RealizePalette() { return 1; }

void mfxApplication::OnTerminationSignal() {}

bool mfxApplication::IsQuitting() const { return quitAllowed_ || plat::quitSignalEnding(); }

void mfxApplication::Quit() {
    // A yes is kept, so the question is not asked again while the quit message is on its way;
    // a no is not, so that the user can still end the program later.
    if (!quitAllowed_) quitAllowed_ = MayQuit();
    if (!quitAllowed_) return;
    // One quit message at most: a second one, left after the loop took the first (two clicks
    // on the close box), would end the alerts of the exit at once, unanswered.
    plat::discardMessages(plat::kMsgQuit, plat::kMsgQuit);
    plat::postQuitMessage(0);
}
