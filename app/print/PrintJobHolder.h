#pragma once
// The print command of the easel and the picker: opens the print options dialog over the main
// window, makes the job of the chosen layout and runs it. The holder owns the job while it
// prints; the base job, made with the dialog for its Options button, owns the print setup
// until another layout's job takes it over. The dialog and every job are gone before Print
// returns. One per application; user-interface thread only.
#include <functional>
#include <memory>

#include "app/print/RPrintDialog.h"
#include "app/print/RPrintJob.h"

class mfxWindow;

namespace Ostrel {

// Where the print command was given.
enum class PrintModule { Easel, Picker, Other };

class PrintJobHolder {
public:
    // `runDialog` runs the dialog's modal loop; empty: RunModal until it ends or has a result.
    using DialogLoop = std::function<void(RPrintDialog&)>;

    // Nothing happens in any module other than the easel and the picker.
    void Print(PrintModule module, mfxWindow* mainWindow, const PrintSources& sources, const DialogLoop& runDialog = {});
    // Deletes the job.
    void Release();

    u32 PrintMode() const { return printMode_; }
    // What the last print ended with: the job's result, or kErrNone when nothing was printed.
    EngineErr LastResult() const { return lastResult_; }
    // Whether the last print ran a job.
    bool Printed() const { return printed_; }

private:
    std::unique_ptr<RPrintJob> MakeJob(const RPrintDialog& dialog, const PrintSources& sources);

    std::unique_ptr<RPrintJob> job_;
    std::unique_ptr<RPrintJob> baseJob_;
    u32 printMode_ = kPrintModeNone;
    EngineErr lastResult_ = kErrNone;
    bool printed_ = false;
};

}  // namespace Ostrel
