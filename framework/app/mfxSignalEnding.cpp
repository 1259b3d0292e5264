#include "framework/app/mfxSignalEnding.h"

#include "framework/app/mfxApplication.h"
#include "platform/display/QuitSignals.h"

mfxSignalEnding::mfxSignalEnding(mfxApplication& application, End end, unsigned graceSeconds) {
    if (!end) end = [](int signal) { plat::endProcessBySignal(signal); };
    plat::setQuitSignalEnding(
        [&application, end = std::move(end)](int signal) {
            application.OnTerminationSignal();
            end(signal);
        },
        graceSeconds);
}

mfxSignalEnding::~mfxSignalEnding() { plat::setQuitSignalEnding(nullptr, 0); }
