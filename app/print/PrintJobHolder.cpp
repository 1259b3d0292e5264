#include "app/print/PrintJobHolder.h"

#include "app/print/MakeLayoutJob.h"
#include "engine/gfx/GfxBusyCursor.h"

namespace Ostrel {

void PrintJobHolder::Release() { job_.reset(); }

std::unique_ptr<RPrintJob> PrintJobHolder::MakeJob(const RPrintDialog& dialog, const PrintSources& sources) {
    if (dialog.Layout() == kLayoutFullPage) {
        // The full page prints with the base job itself, which keeps its setup; it is held
        // once, so it is deleted once.
        baseJob_->SetReverse(dialog.Reverse());
        return std::move(baseJob_);
    }
    std::unique_ptr<RPrintJob> job = MakeLayoutJob(dialog.Layout(), dialog.PosterSize(), sources);
    job->AdoptSetup(*baseJob_);
    return job;
}

void PrintJobHolder::Print(PrintModule module, mfxWindow* mainWindow, const PrintSources& sources,
                           const DialogLoop& runDialog) {
    printed_ = false;
    lastResult_ = kErrNone;
    if (module == PrintModule::Other) return;
    printMode_ = module == PrintModule::Easel ? kPrintModeEasel : kPrintModeSlides;
    auto dialog = std::make_unique<RPrintDialog>(mainWindow, printMode_);
    baseJob_ = std::make_unique<RPrintJob>(1, sources);
    if (dialog->LoadError() != kErrNone) {
        baseJob_.reset();
        return;
    }
    dialog->SetBaseJob(baseJob_.get());
    dialog->Initialize();
    dialog->Show();
    if (runDialog) {
        runDialog(*dialog);
    } else {
        mfxDialogEvent event;
        while (dialog->RunModal(&event) == 0 && dialog->PrintResult() == kPrintDialogRunning) {
        }
    }
    if (dialog->PrintResult() == kPrintDialogOk) {
        job_ = MakeJob(*dialog, sources);
        dialog->Hide();
        job_->SetFirstPage(u16(dialog->FirstSlide()));
        job_->SetLastPage(u16(dialog->LastSlide()));
        if (printMode_ == kPrintModeSlides) job_->SetMode(dialog->Orientation());
        // The orientation is checked as printing begins, so a refused one prints nothing.
        if (!job_->CheckOrientation(job_->Mode() == kPrintLandscape)) {
            GfxBusyCursor busy;
            lastResult_ = job_->Run(printMode_);
            printed_ = true;
        }
        Release();
    }
    baseJob_.reset();
    dialog.reset();
    printMode_ = kPrintModeNone;
}

}  // namespace Ostrel
