#include "app/print/RPrintJob.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/print/FullRangeCopy.h"
#include "app/print/PrintLayout.h"
#include "document/storage/ObjectTypes.h"
#include "engine/base/TextUtils.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPrinterPort.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

// The texts the platform print dialog takes, in its order (caption first).
constexpr std::array<const char*, kGfxPrintDialogTextCount> kPrintDialogKeys = {
    "Print",       "Ok",         "Cancel", "Printer", "Name", "Status", "Type",      "Where",  "Comment",
    "Properties",  "PrintToFile", "PrintRange", "All", "Pages", "From", "To", "Selection", "Copies",
    "NumberOfCopies", "Collate", "PdfPrinter"};

constexpr u32 kOrientationAlert = kAlertIconExclamation | kAlertOk;

u16 setupOrientation(u32 mode) { return mode == kPrintLandscape ? kGfxPrintLandscape : kGfxPrintPortrait; }

}  // namespace

RPrintJob::RPrintJob(u16 cellsPerSheet, const PrintSources& sources) : cellsPerSheet_(cellsPerSheet), sources_(sources) {
    RPrintJob::CreateSourcePort();
}

RPrintJob::~RPrintJob() {
    if (printerPort_) {
        while (printerPort_->lockCount) gfxUnlockPort(printerPort_);
        gfxDisposePort(printerPort_);
    }
    setup_.reset();
    if (sourcePort_ && sourcePort_ != sources_.screenPort) {
        while (sourcePort_->lockCount) gfxUnlockPort(sourcePort_);
        gfxDisposePort(sourcePort_);
    }
}

void RPrintJob::CreateSourcePort() {
    Rect16 screen = sources_.paintRect;
    screen.left = screen.top = 0;
    if (sources_.screenPort) screen = sources_.screenPort->deviceRect;
    // Pages draw into 16-bit ports only.
    sourcePort_ = gfxNewOffscreenPort(u16(screen.right - screen.left), u16(screen.bottom - screen.top), 16, nullptr);
    // Locked for the job's life, so that it can be made current to draw each page into.
    if (sourcePort_ && gfxLockPort(sourcePort_) != kErrNone) {
        gfxDisposePort(sourcePort_);
        sourcePort_ = nullptr;
    }
    if (!sourcePort_) sourcePort_ = sources_.screenPort;
}

void RPrintJob::WriteRangeIntoSetup() {
    if (!setup_) return;
    setup_->firstPage = firstPage_;
    // The range the sheets are counted against is the one printed, which for a poster is its
    // sheets rather than the pages asked for.
    setup_->lastPage = u32(firstPage_) + std::max<u16>(pageCount_, 1) - 1;
    setup_->highestPage = std::max<u32>(setup_->lastPage, lastPage_);
}

void RPrintJob::SetFirstPage(u16 page) {
    firstPage_ = currentPage_ = page;
    if (lastPage_ < page) lastPage_ = page;
    pageCount_ = u16(lastPage_ - firstPage_ + 1);
    WriteRangeIntoSetup();
}

void RPrintJob::SetLastPage(u16 page) {
    lastPage_ = page;
    if (firstPage_ > page) firstPage_ = currentPage_ = page;
    pageCount_ = u16(lastPage_ - firstPage_ + 1);
    WriteRangeIntoSetup();
}

bool RPrintJob::EnsureSetup() {
    if (!setup_)
        setup_ = std::make_unique<GfxPrintSetup>(sources_.title.c_str(), firstPage_, lastPage_,
                                                 std::max(lastPage_, pageCount_), 1, setupOrientation(mode_),
                                                 kGfxPrintColour);
    return setup_->valid && setup_->dialog.printer;
}

void RPrintJob::AdoptSetup(RPrintJob& from) {
    setup_ = std::move(from.setup_);
    WriteRangeIntoSetup();
    if (setup_) setup_->SetOrientation(setupOrientation(mode_));
}

i32 RPrintJob::ShowPrintDialog(plat::WindowHandle window) {
    if (!EnsureSetup()) return -1;
    // Given in every language: texts given once stay until others come.
    std::array<std::string, kGfxPrintDialogTextCount> texts;
    std::array<std::string_view, kGfxPrintDialogTextCount> views;
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i] = LookupLanguageText("DialogsStrings", kPrintDialogKeys[i]).c_str();
        views[i] = texts[i];
    }
    gfxSetPrintDialogStrings(views);
    return setup_->RunPrintDlg(window);
}

u16 RPrintJob::CheckOrientation(bool landscape) {
    if (landscape) return 0;
    ShowAlert("Please choose the Landscape orientation to print this project.", nullptr, kOrientationAlert);
    return 1;
}

void RPrintJob::ShowNoPrinter() const {
    ShowAlert(LookupLanguageText("HardwareStrings", "NoPrinterInstalled").c_str(), nullptr, kAlertOk);
}

void RPrintJob::TellWhereTheFileWent() const {
    const std::string& file = setup_->writtenFile;
    const size_t cut = file.find_last_of('\\');
    const std::string name = cut == std::string::npos ? file : file.substr(cut + 1);
    const std::string where = cut == std::string::npos ? std::string() : file.substr(0, cut);
    // The folder asked for goes by the name the user knows; any other by its own name.
    std::string folder = where.substr(where.find_last_of('\\') == std::string::npos ? 0 : where.find_last_of('\\') + 1);
    if (!sources_.fileFolderName.empty() && strCompareNoCase(where.c_str(), sources_.fileFolder.c_str()) == 0)
        folder = sources_.fileFolderName;
    // The easel prints its picture; the picker its slide show.
    const bool show = !sources_.easelPage && sources_.project;
    std::string text = LookupLanguageText("FileStrings", show ? "ShowPrintedToFile" : "PrintedToFile").c_str();
    if (text.empty()) text = "Your picture is now the file \"%1\" in %2.";
    for (const auto& [mark, fill] : {std::pair<const char*, const std::string&>{"%1", name}, {"%2", folder}})
        if (const size_t at = text.find(mark); at != std::string::npos) text.replace(at, 2, fill);
    ShowAlert(text.c_str(), nullptr, kAlertOk);
}

void RPrintJob::ComputePageArea() {
    const bool landscape = mode_ == kPrintLandscape;
    // The port is scaled so that the job's units cover the printable part of the sheet.
    const Rect16 whole = PrintPageArea(setup_->printable, setup_->printable, setup_->ppiX, setup_->ppiY, landscape);
    if (whole.right > 0 && whole.bottom > 0) gfxSetPortScale(u16(whole.right), u16(whole.bottom));
    pageArea_ = KeepOffThePapersEdges(PrintPageArea(setup_->printable, setup_->paper, setup_->ppiX, setup_->ppiY, landscape),
                                      setup_->printable, setup_->paper, setup_->ppiX, setup_->ppiY);
}

RPage* RPrintJob::FindPage(u16 number, u32 printMode) const {
    // The page follows what is being printed, never whichever document happens to be open.
    if (printMode == kPrintModeSlides) {
        RPage* page = sources_.project ? sources_.project->GetPage(number) : nullptr;
        return page && page->Number() <= kLastPageNumber ? page : nullptr;
    }
    if (!sources_.easelPage) return nullptr;
    sources_.easelPage->Data().EnsureBackground();
    return sources_.easelPage;
}

void RPrintJob::DrawSlide(RPage* page, u32 printMode) {
    if (!sourcePort_) return;
    GfxPort* saved = gfxSetPort(sourcePort_);
    if (saved == kGfxBadPortHandle) return;
    gfxFillRect(sources_.paintRect, sources_.background, 0);
    if (printMode == kPrintModeSlides && !page->HasData() && sources_.projectFolder) {
        Path path;
        if (pathJoin(&path, sources_.projectFolder, page->FileName().c_str())) {
            page->Data().OpenAndLoad(&path);
            pathRelease(&path);
        }
    }
    // The stickers, animations and movies show over the painting as on the screen.
    if (page->Data().Render(sourcePort_, sources_.paintRect.left, sources_.paintRect.top) == kErrNone)
        page->Data().RenderMedia(sourcePort_, sources_.paintRect.left, sources_.paintRect.top, kTypeAnyObject);
    gfxSetPort(saved);
}

void RPrintJob::LayoutCell() { sourceRect_ = sources_.paintRect; }

void RPrintJob::CopyToSheet(const Rect16& target, u16 transfer) {
    if (!sourcePort_ || !printerPort_) return;
    const u16 flags = (transfer & kPrintMirror ? kGfxCopyMirror : 0) | (transfer & kPrintUpsideDown ? kGfxCopyFlip : 0);
    // The page's colours spread over the printer's whole range: its white is the paper's.
    if (GfxPort* sheet = FullRangeCopy(sourcePort_, sourceRect_)) {
        gfxCopyBitsEx(printerPort_, sheet, target, sheet->deviceRect, 0, flags);
        gfxDisposePort(sheet);
        return;
    }
    gfxCopyBitsEx(printerPort_, sourcePort_, target, sourceRect_, 0, flags);
}

void RPrintJob::DrawPicture() {
    CopyToSheet(FitInside(pageArea_, sourceRect_.right - sourceRect_.left, sourceRect_.bottom - sourceRect_.top),
                reverse_ ? kPrintMirror : 0);
}

bool RPrintJob::PrintCopy(u32 printMode) {
    // Every copy starts on a fresh sheet in its first cell.
    cellIndex_ = 1;
    sheetOpen_ = false;
    bool going = true;
    const auto endSheet = [&](bool last) {
        sheetOpen_ = false;
        const EngineErr ended = gfxPrintEndPage(printerPort_, last ? 1 : 0);
        return ended == kErrNone || ended == kGfxErrPrintDone;
    };
    for (currentPage_ = firstPage_; going && u32(currentPage_) - firstPage_ + 1 <= pageCount_; ++currentPage_) {
        const bool lastOfRange = u32(currentPage_) - firstPage_ + 1 == pageCount_;
        if (RPage* page = FindPage(currentPage_, printMode)) {
            DrawSlide(page, printMode);
            if (!sheetOpen_) {
                if (gfxPrintStartPage(printerPort_) != kErrNone) return false;
                sheetOpen_ = true;
                ++sheetsStarted_;
                // The drawing went to the source port; the sheet is current again.
                gfxSetPort(printerPort_);
            }
            LayoutCell();
            DrawPicture();
            if (cellIndex_ >= cellsPerSheet_ || lastOfRange) going = endSheet(lastOfRange);
            cellIndex_ = u16(cellIndex_ % cellsPerSheet_ + 1);
        }
        if (setup_->state.aborted || setup_->state.errorNoted) going = false;
        if (currentPage_ == 0xFFFF) break;
    }
    // A range whose last pages were missing still ends the sheet it started.
    if (sheetOpen_ && !endSheet(true)) going = false;
    currentPage_ = firstPage_;
    return going && !setup_->state.aborted && !setup_->state.errorNoted;
}

EngineErr RPrintJob::Run(u32 printMode) {
    EngineErr result = kErrNone;
    if (!EnsureSetup()) {
        ShowNoPrinter();
        result = kGfxErrNoPrinter;
    } else {
        const u32 copies = std::clamp<u32>(setup_->copies, 1, kMaxPrintCopies);
        setup_->fileFolder = sources_.fileFolder;
        setup_->SetOrientation(setupOrientation(mode_));
        WriteRangeIntoSetup();
        // The copies are printed here one after the other into one document, so that a file
        // printer keeps them all; the printer makes one of each sheet.
        setup_->dialog.flags |= kGfxPrintCollate;
        GfxPort* saved = gfxGetPort();
        // The sheet takes the palette of the port current now, or the default one.
        GfxPalette* palette = saved ? gfxGetPortPalette() : nullptr;
        printerPort_ = gfxNewPrinterPort(setup_.get(), palette == kGfxBadPaletteHandle ? nullptr : palette);
        if (!printerPort_ || gfxLockPort(printerPort_) != kErrNone) {
            ShowNoPrinter();
            result = kGfxErrNoPrinter;
        } else {
            gfxSetPort(printerPort_);
            ComputePageArea();
            result = gfxPrintStartDoc(printerPort_, sources_.owner, nullptr, nullptr);
            if (result == kErrNone) {
                bool going = true;
                sheetsStarted_ = 0;
                for (u32 copy = 0; going && copy < copies; ++copy) {
                    going = PrintCopy(printMode);
                    if (sheetsStarted_ == 0) break;
                }
                // A range whose pages are all missing sends no empty document to the printer.
                const bool nothing = going && sheetsStarted_ == 0;
                if ((!going || nothing) && !setup_->state.aborted && !setup_->state.errorNoted)
                    static_cast<GfxPrinterPort*>(printerPort_)->AbortDoc();
                result = gfxPrintEndDoc(printerPort_);
                if (nothing) result = kErrNone;
            }
        }
        gfxSetPort(saved);
        if (printerPort_) {
            while (printerPort_->lockCount) gfxUnlockPort(printerPort_);
            gfxDisposePort(printerPort_);
            printerPort_ = nullptr;
        }
    }
    if (sources_.refreshScreen) sources_.refreshScreen(sources_.paintRect);
    if (result == kErrNone && setup_ && !setup_->writtenFile.empty()) TellWhereTheFileWent();
    setup_.reset();
    return result;
}

}  // namespace Ostrel
