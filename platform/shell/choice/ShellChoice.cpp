#include "platform/shell/choice/ShellChoice.h"

#include "platform/shell/headless/HeadlessShell.h"
#include "platform/shell/xdg/XdgOpenShell.h"
#include "platform/system/BackendChoice.h"

namespace plat {
namespace {

BackendChoice<DesktopShell>& choice() {
    static BackendChoice<DesktopShell> backends([] { return std::make_unique<XdgOpenShell>(); },
                                                [] { return std::make_unique<HeadlessShell>(); });
    return backends;
}

}  // namespace

DesktopShell& desktopShell() { return choice().current(); }

void setDesktopShell(DesktopShell* shell) { choice().install(shell); }

}  // namespace plat
