#pragma once
// A print job: prints the picture on the easel, or a range of the project's slides, one
// picture per sheet across the page area (mirrored when reversed). Each page is drawn into an
// off-screen source port and copied from there onto the sheet through the printer port. The
// layouts that put several pictures on a sheet, or one picture over several sheets, derive
// from it and place the pictures (LayoutCell, DrawPicture).
//
// Created for one print: options set, Run, deleted. Every copy goes into the one document,
// copy after copy, each starting in the first cell of a new sheet. User-interface thread only.
#include <memory>

#include "app/print/PrintLayout.h"
#include "app/print/PrintSources.h"
#include "engine/gfx/GfxPrintSetup.h"

namespace Ostrel {

// Orientations of a job.
constexpr u32 kPrintPortrait = 1;
constexpr u32 kPrintLandscape = 2;

// Transfer flags of a picture copied onto the sheet.
constexpr u16 kPrintMirror = 16;
constexpr u16 kPrintUpsideDown = 32;

// The most copies a job prints.
constexpr u32 kMaxPrintCopies = 9999;

class RPrintJob {
public:
    RPrintJob(u16 cellsPerSheet, const PrintSources& sources);
    virtual ~RPrintJob();
    RPrintJob(const RPrintJob&) = delete;
    RPrintJob& operator=(const RPrintJob&) = delete;

    // Prints; kErrNone once every copy was printed (or there was nothing to print).
    virtual EngineErr Run(u32 printMode);
    virtual void SetFirstPage(u16 page);
    virtual void SetLastPage(u16 page);
    virtual void SetMode(u32 orientation) { mode_ = orientation; }
    virtual void SetReverse(u16 reverse) { reverse_ = reverse ? 1 : 0; }
    // The platform print dialog over the window: 1 on OK, 0 on cancel, -1 when it cannot be shown.
    virtual i32 ShowPrintDialog(plat::WindowHandle window);
    // Draws the page into the source port.
    virtual void DrawSlide(RPage* page, u32 printMode);
    // Copies the source rectangle onto the sheet.
    virtual void DrawPicture();
    // Places the next picture: the source rectangle, and for the cell layouts their cell.
    virtual void LayoutCell();
    virtual void CreateSourcePort();
    // 1 (after telling the user) when the orientation does not suit the layout, else 0.
    virtual u16 CheckOrientation(bool landscape);

    // Takes over another job's print setup, writing this job's range and orientation into it.
    void AdoptSetup(RPrintJob& from);
    GfxPrintSetup* Setup() const { return setup_.get(); }

    u16 FirstPage() const { return firstPage_; }
    u16 LastPage() const { return lastPage_; }
    u16 CurrentPage() const { return currentPage_; }
    u16 PageCount() const { return pageCount_; }
    u16 CellsPerSheet() const { return cellsPerSheet_; }
    u16 CellIndex() const { return cellIndex_; }
    u32 Mode() const { return mode_; }
    u16 Reverse() const { return reverse_; }
    const Rect16& PageArea() const { return pageArea_; }
    const Rect16& SourceRect() const { return sourceRect_; }
    const PrintSources& Sources() const { return sources_; }

protected:
    // Copies the source rectangle into `target` on the sheet with the transfer flags.
    void CopyToSheet(const Rect16& target, u16 transfer);
    // Creates the print setup when missing; false when there is no printer.
    bool EnsureSetup();
    i32 SourceWidth() const { return sources_.paintRect.right - sources_.paintRect.left; }
    i32 SourceHeight() const { return sources_.paintRect.bottom - sources_.paintRect.top; }

    GfxPort* printerPort_ = nullptr;
    std::unique_ptr<GfxPrintSetup> setup_;
    Rect16 pageArea_{};
    Rect16 sourceRect_{};
    u16 currentPage_ = 1;
    u16 firstPage_ = 1;
    u16 lastPage_ = 1;
    u16 cellsPerSheet_;
    u16 pageCount_ = 1;
    u16 resolution_ = kPrintResolution;
    u16 cellIndex_ = 1;
    u16 reverse_ = 0;
    u32 mode_ = kPrintLandscape;
    GfxPort* sourcePort_ = nullptr;
    PrintSources sources_;

private:
    RPage* FindPage(u16 number, u32 printMode) const;
    // One copy into the open document; false when it was stopped.
    bool PrintCopy(u32 printMode);
    void ComputePageArea();
    void ShowNoPrinter() const;
    // After a printer wrote a file: the user is told its name and folder.
    void TellWhereTheFileWent() const;
    void WriteRangeIntoSetup();
    bool sheetOpen_ = false;
    u32 sheetsStarted_ = 0;
};

}  // namespace Ostrel
