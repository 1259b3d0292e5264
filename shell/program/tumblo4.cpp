// The program: the single-instance guard, the one application object, its screens, and the
// framework's entry.
#include "app/application/RApplication.h"
#include "engine/util/SingleInstance.h"
#include "framework/app/mfxMain.h"
#include "shell/ScreenTable.h"

namespace {

// Taken before the entry and held for the life of the process; the start-up reads what it found.
const SingleInstanceInit gSingleInstance(1, "Tumblo 4");

}  // namespace

int main(int argc, char** argv) {
    Ostrel::RApplication application;
    application.SetShellParts(Ostrel::ProgramShellParts());
    return mfxMain(argc, argv);
}
