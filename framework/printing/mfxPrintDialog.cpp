#include "framework/printing/mfxPrintDialog.h"

#include <algorithm>

#include "framework/windows/mfxWindow.h"
#include "platform/print/choice/PrintChoice.h"

namespace {

namespace pp = plat::print;

// The items that take the given texts, in the order the texts come (after the caption).
// The last text is no item's: the name the built-in PDF printer is shown by.
constexpr u16 kTextItems[kGfxPrintDialogTextCount - 2] = {1,    2,    1075, 1093, 1095, 1094, 1097, 1096, 1025, 1040,
                                                          1072, 1056, 1058, 1089, 1090, 1057, 1073, 1092, kPrintDlgCollate};
constexpr size_t kPdfPrinterText = kGfxPrintDialogTextCount - 1;
constexpr u16 kPrinterLabel = 1075;
constexpr u16 kRangeGroup = 1072;
constexpr u16 kFromLabel = 1089;
constexpr u16 kToLabel = 1090;
constexpr u16 kCopiesGroup = 1073;
constexpr u16 kCopiesLabel = 1092;
constexpr u16 kPageDigits = 5;
constexpr u16 kCopiesDigits = 4;

DialogItemTemplate item(u16 id, DialogItemKind kind, DialogRect rect, const char* text, u16 flags = 0, u16 limit = 0) {
    return DialogItemTemplate{id, kind, flags, rect, limit, {"", text}};
}

DialogTemplate printTemplate() {
    using K = DialogItemKind;
    DialogTemplate t;
    // Room for the longer words of either language: "desde:", "hasta:", "Número de copias:".
    t.width = 400;
    t.height = 230;
    t.title = {"", "Print"};
    t.items = {
        item(kPrinterLabel, K::Label, {10, 8, 200, 24}, "Printer"),
        item(kPrintDlgPrinters, K::List, {10, 26, 390, 78}, "", kDlgItemFocus),
        item(kRangeGroup, K::Group, {10, 84, 230, 180}, "Print range"),
        item(kPrintDlgAll, K::Radio, {20, 100, 220, 118}, "All"),
        item(kPrintDlgPages, K::Radio, {20, 122, 220, 140}, "Pages"),
        item(kFromLabel, K::Label, {20, 150, 70, 166}, "from:"),
        item(kPrintDlgFrom, K::Edit, {72, 148, 114, 168}, "", kDlgItemNumber, kPageDigits),
        item(kToLabel, K::Label, {122, 150, 172, 166}, "to:"),
        item(kPrintDlgTo, K::Edit, {174, 148, 216, 168}, "", kDlgItemNumber, kPageDigits),
        item(kCopiesGroup, K::Group, {240, 84, 390, 180}, "Copies"),
        item(kCopiesLabel, K::Label, {250, 100, 384, 116}, "Number of copies:"),
        item(kPrintDlgCopies, K::Edit, {250, 118, 310, 138}, "", kDlgItemNumber, kCopiesDigits),
        item(kPrintDlgCollate, K::CheckBox, {250, 148, 384, 166}, "Collate"),
        item(kPrintDlgOk, K::Button, {230, 194, 305, 220}, "OK", kDlgItemDefault),
        item(kPrintDlgCancel, K::Button, {315, 194, 390, 220}, "Cancel"),
    };
    return t;
}

u16& copiesOf(GfxPrintDialogRecord& record) { return record.printer ? record.printer->copies : record.copies; }

}  // namespace

mfxPrintDialog::mfxPrintDialog(mfxWindow* parent) : mfxModalDialog(parent, printTemplate()) {}

void mfxPrintDialog::Fill(const GfxPrintDialogRecord& record, const GfxPrintDialogTexts* texts) {
    if (texts) {
        SetTitle((*texts)[0].data());
        for (size_t i = 0; i + 2 < kGfxPrintDialogTextCount; ++i)
            if (HasItem(kTextItems[i]) && (*texts)[i + 1][0]) SetItemText(kTextItems[i], (*texts)[i + 1].data());
    }
    // The built-in printer is shown by the name given for it; the others by their own.
    const std::string pdfShown = texts && (*texts)[kPdfPrinterText][0] ? (*texts)[kPdfPrinterText].data() : pp::kPdfPrinterName;
    printers_ = pp::printBackend().printers();
    for (const std::string& name : printers_) {
        const u16 entry = ListInsert(kPrintDlgPrinters, kDlgListEnd, name == pp::kPdfPrinterName ? pdfShown : name);
        if (record.printer && record.printer->device == name) ListSelect(kPrintDlgPrinters, entry);
    }
    const bool pages = record.flags & kGfxPrintPageNums;
    SetCheck(kPrintDlgAll, !pages);
    SetCheck(kPrintDlgPages, pages);
    SetItemText(kPrintDlgFrom, std::to_string(record.fromPage));
    SetItemText(kPrintDlgTo, std::to_string(record.toPage));
    // The field shows the copies that will be printed: a printer's own count may lie outside
    // what the dialog takes.
    const u16 copies = record.printer ? record.printer->copies : record.copies;
    SetItemText(kPrintDlgCopies, std::to_string(std::clamp<u32>(copies, 1, kPrintDlgMaxCopies)));
    SetCheck(kPrintDlgCollate, record.flags & kGfxPrintCollate);
}

u32 mfxPrintDialog::Number(u16 item) const {
    u32 value = 0;
    for (char c : GetItemText(item))
        if (c >= '0' && c <= '9') value = std::min<u32>(value * 10 + u32(c - '0'), 0xFFFFFFu);
    return value;
}

void mfxPrintDialog::Accept(GfxPrintDialogRecord& record) {
    const u16 chosen = ListSelected(kPrintDlgPrinters);
    if (chosen > 0 && chosen <= printers_.size()) {
        const std::string& name = printers_[chosen - 1];
        pp::PrinterSettings settings;
        if ((!record.printer || record.printer->device != name) && pp::printBackend().printerSettings(name, &settings))
            record.printer = std::move(settings);
    }
    if (IsChecked(kPrintDlgPages))
        record.flags |= kGfxPrintPageNums;
    else
        record.flags &= ~kGfxPrintPageNums;
    const u32 low = record.minPage, high = std::max<u32>(record.maxPage, low);
    const u32 from = std::clamp(Number(kPrintDlgFrom), low, high);
    record.fromPage = u16(from);
    record.toPage = u16(std::clamp(Number(kPrintDlgTo), from, high));
    copiesOf(record) = u16(std::clamp<u32>(Number(kPrintDlgCopies), 1, kPrintDlgMaxCopies));
    if (IsChecked(kPrintDlgCollate))
        record.flags |= kGfxPrintCollate;
    else
        record.flags &= ~kGfxPrintCollate;
}

i32 mfxPrintDialog::Run(GfxPrintDialogRecord& record, const GfxPrintDialogTexts* texts) {
    Fill(record, texts);
    mfxDialogEvent event;
    while (RunModal(&event) == 0) {
        switch (event.item) {
        case kPrintDlgOk:
            Accept(record);
            EndModal(1);
            break;
        case kPrintDlgCancel: EndModal(0); break;
        case kPrintDlgAll:
        case kPrintDlgPages:
            SetCheck(kPrintDlgAll, event.item == kPrintDlgAll);
            SetCheck(kPrintDlgPages, event.item == kPrintDlgPages);
            break;
        case kPrintDlgCollate: SetCheck(kPrintDlgCollate, !IsChecked(kPrintDlgCollate)); break;
        default: break;
        }
    }
    return i32(Result());
}

void mfxInstallPrintDialog() {
    gfxSetPrintDialogProc([](GfxPrintDialogRecord& record, const GfxPrintDialogTexts* texts) -> i32 {
        for (mfxWindow* window : mfxWindow::Windows()) {
            if (window->GetHandle() != record.owner) continue;
            mfxPrintDialog dialog(window);
            return dialog.Run(record, texts);
        }
        return -1;
    });
}
