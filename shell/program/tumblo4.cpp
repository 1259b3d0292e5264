// The program: the one application object, its screens, and the framework's entry.
#include "app/application/RApplication.h"
#include "shell/ScreenTable.h"
#include "framework/app/mfxMain.h"

int main(int argc, char** argv) {
    Ostrel::RApplication application;
    application.SetShellParts(Ostrel::ProgramShellParts());
    return mfxMain(argc, argv);
}
