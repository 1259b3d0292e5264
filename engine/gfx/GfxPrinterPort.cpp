#include "engine/gfx/GfxPrinterPort.h"

#include <cstring>
#include <new>

#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/files/Files.h"
#include "platform/print/choice/PrintChoice.h"

namespace pp = plat::print;

namespace {

// A job code with this bit (every negative code) asks for the user; others are the job's own.
constexpr u16 kReportedCodeBit = 0x4000;
constexpr u64 kMillimetreTenthsPerInch = 254;
constexpr u64 kMaxPageSide = 0x7FFF;

GfxPrinterPort* printingPort = nullptr;

i32 quietProgress(GfxPrintSetup*, GfxPrintCall* call, void*) {
    switch (call->kind) {
    case kGfxPrintCallError: return 0;
    case kGfxPrintCallPoll: return 1;
    default: return call->retryCount;
    }
}

GfxPrintProgressProc defaultProgress = quietProgress;

// Tenths of a millimetre in pixels at a resolution, rounded. Wide enough for any paper at
// any resolution, so a side is checked against the page limit before it is narrowed.
u64 pixelsOf(u64 tenths, u16 dpi) { return (tenths * dpi + kMillimetreTenthsPerInch / 2) / kMillimetreTenthsPerInch; }

GfxPrinterPort* printerPortOf(GfxPort* handle) {
    GfxPort* port = gfxPortFromHandle(handle, 0);
    if (!port) return nullptr;
    if (port->kind != kGfxKindPrinter) {
        gfxSetError(kGfxErrBadPort);
        return nullptr;
    }
    return static_cast<GfxPrinterPort*>(port);
}

}  // namespace

void gfxSetDefaultPrintProgress(GfxPrintProgressProc proc) { defaultProgress = proc ? proc : quietProgress; }

GfxPrintProgressProc gfxGetDefaultPrintProgress() { return defaultProgress == quietProgress ? nullptr : defaultProgress; }

GfxPrinterPort::GfxPrinterPort(GfxPrintSetup* setup) : GfxPort(Rect16{0, 0, 1, 1}), setup_(setup) {
    kind = kGfxKindPrinter;
    deviceClass = kGfxDeviceClassPrinter;
    depth = 24;
}

GfxPrinterPort::~GfxPrinterPort() {
    // A port let go in the middle of a document leaves no half output behind.
    if (job_) job_->abort();
    if (printingPort == this) printingPort = nullptr;
    if (setup_ && setup_->printerPort == this) setup_->printerPort = nullptr;
}

void GfxPrinterPort::ForgetSetup() {
    if (inDocument_) {
        job_->abort();
        GfxPrintCall close{owner_, 1, kGfxPrintCallClose, 0};
        progress_(setup_, &close, progressData_);
        LeaveDocument();
    }
    pageOpen_ = false;
    setup_ = nullptr;
}

EngineErr GfxPrinterPort::ResetState() {
    EngineErr error = GfxPort::ResetState();
    if (error != kErrNone) return error;
    if (!setup_) return kGfxErrPrintSetupInvalid;
    if (!setup_->dialog.printer) return kGfxErrGdi;
    if (!pp::printBackend().capabilities(setup_->dialog.printer->device, &caps_)) return kGfxErrGdi;
    if (!caps_.rasterPages) return kGfxErrNotSupported;
    setup_->printerPort = this;
    return kErrNone;
}

void GfxPrinterPort::ChooseCopiesPerPass() {
    collate_ = (setup_->dialog.flags & kGfxPrintCollate) != 0;
    pp::PrinterSettings& settings = *setup_->dialog.printer;
    const bool offersCopies = (settings.fields & pp::kFieldCopies) != 0;
    copiesPerPass_ = 1;
    if (!collate_ && offersCopies && caps_.maxCopies >= setup_->copies && setup_->copies > 0)
        copiesPerPass_ = u16(setup_->copies);
    if (offersCopies) settings.copies = copiesPerPass_;
}

EngineErr GfxPrinterPort::Lock() {
    if (lockCount == 0) {
        if (!setup_) return kGfxErrPrintSetupInvalid;
        ChooseCopiesPerPass();
        EngineErr error = PrintBand();
        if (error != kErrNone) return error;
        const Rect16& r = setup_->printable;
        if (!page_ || page_->width() != r.right || page_->height() != r.bottom) {
            page_ = plat::gdi::Surface::create(r.right, r.bottom, 24, plat::gdi::RowOrder::TopDown);
            if (!page_) return kGfxErrGdi;
            std::memset(page_->memory(), 0xFF, size_t(page_->stride()) * size_t(page_->height()));
        }
        deviceRect = r;
        SetMapping(Point16{logicalRect.left, logicalRect.top}, logicalSize);
        depth = 24;
        error = AttachContext(plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *page_));
        if (error != kErrNone) return error;
        nativeDrawing = drawNesting = 0;
        jobState = pageState = 1;
    }
    ++lockCount;
    return kErrNone;
}

void GfxPrinterPort::Detach() {
    GfxPort::Detach();
    if (job_) job_->abort();
    job_.reset();
    if (printingPort == this) printingPort = nullptr;
    if (setup_ && setup_->printerPort == this) setup_->printerPort = nullptr;
}

EngineErr GfxPrinterPort::PrintBand() {
    const pp::PrinterSettings& settings = *setup_->dialog.printer;
    const pp::Paper& p = settings.paper;
    const u16 dpi = settings.resolution;
    const bool landscape = settings.orientation == pp::kOrientationLandscape;
    // Landscape turns the paper a quarter to the left: its top edge becomes the left one.
    const u64 width = landscape ? p.length : p.width, length = landscape ? p.width : p.length;
    const u64 left = landscape ? p.marginTop : p.marginLeft, top = landscape ? p.marginRight : p.marginTop;
    const u64 right = landscape ? p.marginBottom : p.marginRight, bottom = landscape ? p.marginLeft : p.marginBottom;
    if (dpi == 0 || left + right >= width || top + bottom >= length) return kGfxErrNotSupported;
    const u64 paperWidth = pixelsOf(width, dpi), paperHeight = pixelsOf(length, dpi);
    if (paperWidth > kMaxPageSide || paperHeight > kMaxPageSide) return kGfxErrNotSupported;
    // Within the paper, so every side and offset below fits the page's coordinates.
    const u64 pageWidth = pixelsOf(width - left - right, dpi), pageHeight = pixelsOf(length - top - bottom, dpi);
    if (pageWidth == 0 || pageHeight == 0) return kGfxErrNotSupported;
    setup_->printable = Rect16{0, 0, i16(pageWidth), i16(pageHeight)};
    setup_->ppiX = setup_->ppiY = dpi;
    const i32 offsetX = i32(pixelsOf(left, dpi)), offsetY = i32(pixelsOf(top, dpi));
    setup_->paper = Rect16{i16(-offsetX), i16(-offsetY), i16(i32(paperWidth) - offsetX), i16(i32(paperHeight) - offsetY)};
    return kErrNone;
}

pp::PageImage GfxPrinterPort::Page() const {
    const u16 dpiX = setup_ ? setup_->ppiX : 0, dpiY = setup_ ? setup_->ppiY : 0;
    return pp::PageImage{page_->memory(), page_->width(), page_->height(), page_->stride(), dpiX, dpiY};
}

void GfxPrinterPort::LeaveDocument() {
    inDocument_ = false;
    job_.reset();
    if (printingPort == this) printingPort = nullptr;
}

EngineErr GfxPrinterPort::StartDoc(plat::WindowHandle owner, GfxPrintProgressProc progress, void* userData) {
    EngineErr error = BeginDraw();
    if (error != kErrNone) return error;
    struct Bracket {
        GfxPort* port;
        ~Bracket() { port->EndDraw(); }
    } bracket{this};
    if (!setup_) return kGfxErrPrintSetupInvalid;
    if (inDocument_ || printingPort) return kGfxErrDocumentPrinting;
    owner_ = owner;
    lastAbortCode_ = 0;
    progress_ = progress ? progress : defaultProgress;
    progressData_ = userData;
    inDocument_ = true;
    printingPort = this;
    setup_->state = GfxPrintState{};
    collate_ = (setup_->dialog.flags & kGfxPrintCollate) != 0;
    nextPage_ = setup_->firstPage;
    copyCounter_ = 0;
    copiesWanted_ = collate_ ? 1 : setup_->copies;
    GfxPrintCall open{owner_, 1, kGfxPrintCallOpen, 0};
    if (progress_(setup_, &open, progressData_) == 0) {
        setup_->state.aborted = 1;
        LeaveDocument();
        return kGfxErrPrintAborted;
    }
    pp::PrinterSettings settings = *setup_->dialog.printer;
    settings.collate = collate_;
    if (!setup_->fileFolder.empty()) settings.outputFolder = plat::hostPathOfText(setup_->fileFolder);
    setup_->writtenFile.clear();
    int code = pp::kSpoolOk;
    // The job asks the port that is printing now, whichever that is when it asks.
    job_ = pp::printBackend().startJob(
        settings, setup_->title,
        [](int asked) { return printingPort && printingPort->HandleAbort(asked, 1) != 0; }, &code);
    if (!job_) {
        if (code != pp::kSpoolOk && code != lastAbortCode_) HandleAbort(code, 0);
        if (!setup_->state.aborted) setup_->state.errorNoted = 1;
        GfxPrintCall close{owner_, 1, kGfxPrintCallClose, 0};
        progress_(setup_, &close, progressData_);
        LeaveDocument();
        return setup_->state.errorNoted ? kGfxErrPrinting : kGfxErrPrintAborted;
    }
    return kErrNone;
}

EngineErr GfxPrinterPort::StartPage() {
    if (!inDocument_) return kGfxErrNoDocument;
    if (pageOpen_) return kGfxErrPageStarted;
    if (setup_->state.errorNoted) return kGfxErrPrinting;
    if (setup_->state.aborted) return kGfxErrPrintAborted;
    if (setup_->state.done) return kGfxErrPrintDone;
    EngineErr error = BeginDraw();
    if (error != kErrNone) return error;
    std::memset(page_->memory(), 0xFF, size_t(page_->stride()) * size_t(page_->height()));
    // The drawing state is set up afresh for every page.
    DetachDC();
    error = AttachDC();
    EndDraw();
    if (error != kErrNone) {
        setup_->state.errorNoted = 1;
        return kGfxErrPrinting;
    }
    setup_->state.currentPage = u16(nextPage_);
    setup_->state.pageRect = setup_->printable;
    pageOpen_ = true;
    return kErrNone;
}

EngineErr GfxPrinterPort::PageFailure(int code) {
    if (code != lastAbortCode_) HandleAbort(code, 0);
    if (setup_->state.aborted) return kGfxErrPrintAborted;
    setup_->state.errorNoted = 1;
    return kGfxErrPrinting;
}

EngineErr GfxPrinterPort::EndPage(u16 lastPage) {
    if (!pageOpen_) return kGfxErrNoPage;
    if (setup_->state.done) return kGfxErrPrintDone;
    EngineErr error = BeginDraw();
    if (error != kErrNone) return error;
    const u16 page = setup_->state.currentPage;
    pageOpen_ = false;
    setup_->state.currentPage = 0;
    const int code = job_->addPage(Page());
    EndDraw();
    if (code != pp::kSpoolOk) return PageFailure(code);
    Bookkeep(page, lastPage);
    return setup_->state.done ? kGfxErrPrintDone : kErrNone;
}

void GfxPrinterPort::Bookkeep(u16 page, u16 lastPage) {
    copyCounter_ += copiesPerPass_;
    if (copyCounter_ >= copiesWanted_) {
        if (!lastPage) {
            nextPage_ = page == setup_->lastPage ? setup_->firstPage : page + 1u;
        } else {
            if (setup_->lastPage == kGfxPrintOpenEnded) setup_->lastPage = page;
            nextPage_ = setup_->firstPage;
        }
        copyCounter_ = 0;
    }
    setup_->state.pagesPrinted += copiesPerPass_;
    // A range that ends before it starts is done at once rather than wrapping round to an
    // endless job.
    const u64 pages = setup_->lastPage < setup_->firstPage ? 0 : u64(setup_->lastPage) - setup_->firstPage + 1;
    const u64 wanted = pages * setup_->copies;
    if (setup_->state.pagesPrinted >= wanted) setup_->state.done = 1;
}

EngineErr GfxPrinterPort::EndDoc() {
    if (!inDocument_) return kGfxErrNoDocument;
    if (pageOpen_) return kGfxErrPageStarted;
    if (setup_->state.errorNoted || setup_->state.aborted) {
        job_->abort();
    } else {
        const int code = job_->finish();
        if (code != pp::kSpoolOk) {
            if (code != lastAbortCode_) HandleAbort(code, 0);
            job_->abort();
            if (!setup_->state.aborted) setup_->state.errorNoted = 1;
        } else if (const std::string file = job_->writtenFile(); !file.empty()) {
            setup_->writtenFile = plat::textOfHostPath(file);
        }
    }
    GfxPrintCall close{owner_, 1, kGfxPrintCallClose, 0};
    progress_(setup_, &close, progressData_);
    LeaveDocument();
    if (setup_->state.errorNoted) return kGfxErrPrinting;
    return setup_->state.aborted ? kGfxErrPrintAborted : kErrNone;
}

EngineErr GfxPrinterPort::AbortDoc() {
    if (!inDocument_) return kGfxErrNoDocument;
    job_->abort();
    setup_->state.aborted = 1;
    return kErrNone;
}

EngineErr GfxPrinterPort::Abort() { return AbortDoc(); }

i32 GfxPrinterPort::HandleAbort(int code, u16 fromJob) {
    lastAbortCode_ = code;
    GfxPrintState& state = setup_->state;
    if (code != pp::kSpoolOk && (!(u16(code) & kReportedCodeBit) || state.errorNoted || state.aborted)) return fromJob;
    GfxPrintCall call{owner_, 0, kGfxPrintCallError, kGfxPrintErrorGeneral};
    switch (code) {
    case pp::kSpoolOk:
        call.kind = kGfxPrintCallPoll;
        call.retryCount = fromJob;
        break;
    case pp::kSpoolOutOfMemory:
        call.errorKind = kGfxPrintErrorMemory;
        call.retryCount = fromJob;
        break;
    case pp::kSpoolOutOfDisk:
        call.errorKind = kGfxPrintErrorDisk;
        call.retryCount = fromJob;
        break;
    case pp::kSpoolUserAbort:
    case pp::kSpoolAppAbort:
        if (!state.errorNoted) state.aborted = 1;
        return 0;
    default: break;
    }
    GfxPort* saved = gfxGetPort();
    ++progressNesting_;
    pageState = 0;
    const i32 answer = progress_(setup_, &call, progressData_);
    --progressNesting_;
    pageState = 1;
    gfxSetPort(saved);
    return answer != 0 && call.retryCount != 0 ? 1 : 0;
}

GfxPort* gfxNewPrinterPort(GfxPrintSetup* setup, GfxPalette* palette) {
    if (!(palette = gfxNewPortPalette(palette))) return nullptr;
    if (!setup || !setup->valid) {
        gfxSetError(kGfxErrPrintSetupInvalid);
        return nullptr;
    }
    if (setup->printerPort) {
        gfxSetError(kGfxErrPrintSetupBusy);
        return nullptr;
    }
    auto* port = new (std::nothrow) GfxPrinterPort(setup);
    if (!port) {
        gfxSetError(kGfxErrOutOfMemory);
        return nullptr;
    }
    return gfxFinishNewPort(port, palette);
}

EngineErr gfxPrintStartDoc(GfxPort* handle, plat::WindowHandle owner, GfxPrintProgressProc progress, void* userData) {
    GfxPrinterPort* port = printerPortOf(handle);
    if (!port) return gfxGetLastError();
    return gfxSetError(port->StartDoc(owner, progress, userData));
}

EngineErr gfxPrintStartPage(GfxPort* handle) {
    GfxPrinterPort* port = printerPortOf(handle);
    if (!port) return gfxGetLastError();
    return gfxSetError(port->StartPage());
}

EngineErr gfxPrintEndPage(GfxPort* handle, u16 lastPage) {
    GfxPrinterPort* port = printerPortOf(handle);
    if (!port) return gfxGetLastError();
    return gfxSetError(port->EndPage(lastPage));
}

EngineErr gfxPrintEndDoc(GfxPort* handle) {
    GfxPrinterPort* port = printerPortOf(handle);
    if (!port) return gfxGetLastError();
    return gfxSetError(port->EndDoc());
}
