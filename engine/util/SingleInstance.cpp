#include "engine/util/SingleInstance.h"

#include <memory>
#include <string>

#include "engine/util/tCString.h"
#include "platform/files/Files.h"
#include "platform/system/NamedMutex.h"
#include "platform/system/SystemInfo.h"

namespace {

struct SingleInstanceState {
    std::unique_ptr<plat::NamedMutex> localMutex;
    std::unique_ptr<plat::NamedMutex> globalMutex;
    SingleInstanceFlags flags{};
    std::string refusedLock;
    plat::LockRefusal lockRefusal = plat::LockRefusal::kNone;
};

SingleInstanceState& state() {
    static SingleInstanceState s;
    return s;
}

// Takes the named mutex as its first holder: the error says why it could not be.
u32 takeMutex(const std::string& name, std::unique_ptr<plat::NamedMutex>* mutex) {
    *mutex = std::make_unique<plat::NamedMutex>(name);
    if (!(*mutex)->valid()) {
        SingleInstanceNoteRefusedLock((*mutex)->refused(), (*mutex)->refusal());
        return kMutexErrAccessDenied;
    }
    return (*mutex)->tryLock() ? kMutexErrNone : kMutexErrAlreadyExists;
}

void say(const std::string& text) {
    plat::traceOutput(text.c_str());
}

}  // namespace

std::string SingleInstanceBaseName(const char* name) {
    tCString base(name && *name ? name : plat::programFileText().c_str());
    base.ReplaceAll(":", "|");
    base.ReplaceAll("\\", "-");
    base.ReplaceAll(" ", "");
    base.ToUpper();
    return base.c_str();
}

void SingleInstanceCheck(const char* name) {
    SingleInstanceState& s = state();
    if (s.flags.checkDone) return;
    const std::string base = SingleInstanceBaseName(name);
    const std::string localName = "Local\\" + base;
    say("Local Mutex Name = " + localName + "\r\n");
    s.flags.lastMutexError = takeMutex(localName, &s.localMutex);
    SingleInstanceFlags& f = s.flags;
    if (f.lastMutexError == kMutexErrNone) {
        say("Mutex Creation Success\r\n");
        say("terminal services are available. we were able to create a local mutex. lets try a global mutex\r\n");
        const std::string globalName = "Global\\G" + base;
        say("Global Mutex Name = " + globalName + "\r\n");
        const u32 global = takeMutex(globalName, &s.globalMutex);
        f.instanceOwner = 1;
        f.instanceBusy = 0;
        if (global == kMutexErrNone) {
            say("We created a global mutex also, we are now ready to run\r\n");
            f.instanceConflict = 0;
        } else {
            say("Someone is already running the app. Separate users can run the app under winXP, so let it be ok. "
                "Same user will get an error on creating yet another local mutex.\r\n");
            s.globalMutex.reset();
            f.instanceConflict = 1;
        }
    } else {
        say("Mutex Already Exists, or Access Denied\r\n");
        s.localMutex.reset();
        f.instanceOwner = 0;
        f.instanceBusy = 1;
        f.instanceConflict = 1;
    }
    f.checkDone = 1;
}

void ReleaseSingleInstanceMutexes() {
    SingleInstanceState& s = state();
    s.localMutex.reset();
    s.globalMutex.reset();
    s.flags.checkDone = 0;
    s.refusedLock.clear();
    s.lockRefusal = plat::LockRefusal::kNone;
}

void SingleInstanceNoteConflict() {
    state().flags.instanceConflict = 1;
}

const SingleInstanceFlags& SingleInstanceStatus() {
    return state().flags;
}

void SingleInstanceNoteRefusedLock(const std::string& path, plat::LockRefusal why) {
    if (!state().refusedLock.empty() || path.empty()) return;
    state().refusedLock = path;
    state().lockRefusal = why;
}

const std::string& SingleInstanceRefusedLock() {
    return state().refusedLock;
}

plat::LockRefusal SingleInstanceLockRefusal() {
    return state().lockRefusal;
}

SingleInstanceInit::SingleInstanceInit(u16 run, const char* name) {
    if (run) SingleInstanceCheck(name);
}

SingleInstanceInit::~SingleInstanceInit() {
    ReleaseSingleInstanceMutexes();
}
