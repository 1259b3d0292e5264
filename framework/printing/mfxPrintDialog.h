#pragma once
// The print dialog, drawn by us: the printer from the print service's list, all pages or a
// range, the number of copies and collation, OK and Cancel. Its items carry the numbers of
// the system's print dialog, so the texts given with gfxSetPrintDialogStrings land on the
// same items (caption first). OK writes the choices into the dialog record: another printer
// brings its own settings; the range is kept within the record's lowest and highest page
// and in order; copies run from 1 to 9999. User-interface thread only.
#include "engine/gfx/GfxPrintSetup.h"
#include "framework/dialogs/mfxModalDialog.h"

constexpr u16 kPrintDlgOk = 1;
constexpr u16 kPrintDlgCancel = 2;
constexpr u16 kPrintDlgPrinters = 1139;
constexpr u16 kPrintDlgAll = 1056;
constexpr u16 kPrintDlgPages = 1058;
constexpr u16 kPrintDlgFrom = 1152;
constexpr u16 kPrintDlgTo = 1153;
constexpr u16 kPrintDlgCopies = 1154;
constexpr u16 kPrintDlgCollate = 1041;
constexpr u16 kPrintDlgMaxCopies = 9999;

class mfxPrintDialog : public mfxModalDialog {
public:
    explicit mfxPrintDialog(mfxWindow* parent);

    // 1 on OK with the record changed, 0 on cancel.
    i32 Run(GfxPrintDialogRecord& record, const GfxPrintDialogTexts* texts);

private:
    void Fill(const GfxPrintDialogRecord& record, const GfxPrintDialogTexts* texts);
    void Accept(GfxPrintDialogRecord& record);
    u32 Number(u16 item) const;

    std::vector<std::string> printers_;
};

// Makes mfxPrintDialog the dialog of GfxPrintSetup::RunPrintDlg, shown over the record's owner.
void mfxInstallPrintDialog();
