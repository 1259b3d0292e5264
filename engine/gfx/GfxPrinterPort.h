#pragma once
// The printer port (kind 5): drawing goes into a page of the printer's resolution, page by
// page inside one document, and each finished page is handed to a print job of the print
// service. The port keeps its page geometry and print state in the print set-up it was made
// from, and makes the copies the printer cannot make itself, collated or not. While a job
// works it asks the port, between bands of a page, whether to go on; the port passes that on
// to a progress procedure, which also opens and closes the progress window and reports
// printing errors. Only one port prints at a time. User-interface thread only.
//
// The caller draws, on each open page, the page whose number the set-up's current page gives,
// and stops when a page call answers kGfxErrPrintDone:
//
//   gfxPrintStartDoc(port, owner, nullptr, nullptr);
//   while (gfxPrintStartPage(port) == kErrNone) {
//       draw(setup.state.currentPage);
//       if (gfxPrintEndPage(port, 0) != kErrNone) break;
//   }
//   gfxPrintEndDoc(port);
#include <memory>

#include "engine/gfx/GfxPort.h"
#include "engine/gfx/GfxPrintSetup.h"
#include "platform/print/PrintBackend.h"

constexpr u32 kGfxKindPrinter = 5;

// Progress call kinds and error kinds.
constexpr u16 kGfxPrintCallOpen = 0;
constexpr u16 kGfxPrintCallClose = 1;
constexpr u16 kGfxPrintCallError = 2;
constexpr u16 kGfxPrintCallPoll = 3;
constexpr u16 kGfxPrintErrorGeneral = 0;
constexpr u16 kGfxPrintErrorMemory = 1;
constexpr u16 kGfxPrintErrorDisk = 2;

struct GfxPrintCall {
    plat::WindowHandle owner = plat::kNoWindow;
    // Non-zero when a retry is possible.
    u16 retryCount = 0;
    u16 kind = 0;
    u16 errorKind = 0;
};

// Opens (0) and closes (1) the progress window, reports an error (2: non-zero for Retry) and
// polls (3: zero once the user cancelled). Open and close answer the retry count.
using GfxPrintProgressProc = i32 (*)(GfxPrintSetup* setup, GfxPrintCall* call, void* userData);

// The progress procedure a document started without one uses; null restores the engine's own,
// which shows nothing, goes on while polled and stops at errors.
void gfxSetDefaultPrintProgress(GfxPrintProgressProc proc);
// The procedure set, null while the engine's own is in use.
GfxPrintProgressProc gfxGetDefaultPrintProgress();

class GfxPrinterPort : public GfxPort {
public:
    explicit GfxPrinterPort(GfxPrintSetup* setup);
    ~GfxPrinterPort() override;

    EngineErr ResetState() override;
    EngineErr Lock() override;
    void Detach() override;

    // The document and page protocol, in the order of the port table.
    virtual EngineErr StartDoc(plat::WindowHandle owner, GfxPrintProgressProc progress, void* userData);
    virtual EngineErr StartPage();
    virtual EngineErr PrintBand();
    virtual EngineErr AbortDoc();
    virtual EngineErr EndDoc();
    virtual EngineErr EndPage(u16 lastPage);
    virtual EngineErr Abort();

    // Answers a job's code: non-zero to go on. `fromJob` is 1 when the job asked between bands.
    i32 HandleAbort(int code, u16 fromJob);

    // Null once the set-up is gone: the port then prints no more, and a document it was
    // printing is abandoned.
    GfxPrintSetup* Setup() const { return setup_; }
    // Called by the set-up as it goes.
    void ForgetSetup();
    u16 CopiesPerPass() const { return copiesPerPass_; }
    bool InDocument() const { return inDocument_; }
    // The open page's pixels as the job is handed them.
    plat::print::PageImage Page() const;

private:
    void ChooseCopiesPerPass();
    void LeaveDocument();
    void Bookkeep(u16 page, u16 lastPage);
    EngineErr PageFailure(int code);

    GfxPrintSetup* setup_;
    plat::print::PrinterCapabilities caps_;
    std::unique_ptr<plat::gdi::Surface> page_;
    std::unique_ptr<plat::print::PrintJob> job_;
    bool inDocument_ = false;
    bool pageOpen_ = false;
    bool collate_ = false;
    u16 copiesPerPass_ = 1;
    u32 nextPage_ = 0;
    u32 copyCounter_ = 0;
    u32 copiesWanted_ = 1;
    GfxPrintProgressProc progress_ = nullptr;
    void* progressData_ = nullptr;
    u16 progressNesting_ = 0;
    int lastAbortCode_ = 0;
    plat::WindowHandle owner_ = plat::kNoWindow;
};

// Palette null: the default palette. Null with the graphics error set on failure.
GfxPort* gfxNewPrinterPort(GfxPrintSetup* setup, GfxPalette* palette);
EngineErr gfxPrintStartDoc(GfxPort* port, plat::WindowHandle owner, GfxPrintProgressProc progress, void* userData);
EngineErr gfxPrintStartPage(GfxPort* port);
// `lastPage` non-zero marks the last page of an open-ended range.
EngineErr gfxPrintEndPage(GfxPort* port, u16 lastPage);
EngineErr gfxPrintEndDoc(GfxPort* port);
