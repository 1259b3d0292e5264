#include "framework/printing/mfxPrintDialog.h"

#include <algorithm>

#include "framework/windows/mfxWindow.h"
#include "platform/print/choice/PrintChoice.h"

namespace {

namespace pp = plat::print;

// The items that take the given texts, in the order the texts come (after the caption).
constexpr u16 kTextItems[kGfxPrintDialogTextCount - 1] = {1,    2,    1075, 1093, 1095, 1094, 1097, 1096, 1025,
                                                          1040, 1072, 1056, 1058, 1089, 1090, 1057, 1073, 1092};
constexpr u16 kPrinterLabel = 1093;
constexpr u16 kRangeGroup = 1072;
constexpr u16 kFromLabel = 1089;
constexpr u16 kToLabel = 1090;
constexpr u16 kCopiesGroup = 1075;
constexpr u16 kCopiesLabel = 1092;
constexpr u16 kPageDigits = 5;
constexpr u16 kCopiesDigits = 4;

DialogItemTemplate item(u16 id, DialogItemKind kind, DialogRect rect, const char* text, u16 flags = 0, u16 limit = 0) {
    return DialogItemTemplate{id, kind, flags, rect, limit, {"", text}};
}

DialogTemplate printTemplate() {
    using K = DialogItemKind;
    DialogTemplate t;
    t.width = 320;
    t.height = 230;
    t.title = {"", "Print"};
    t.items = {
        item(kPrinterLabel, K::Label, {10, 8, 200, 24}, "Printer:"),
        item(kPrintDlgPrinters, K::List, {10, 26, 310, 78}, "", kDlgItemFocus),
        item(kRangeGroup, K::Group, {10, 84, 200, 180}, "Print range"),
        item(kPrintDlgAll, K::Radio, {20, 100, 190, 118}, "All"),
        item(kPrintDlgPages, K::Radio, {20, 122, 190, 140}, "Pages"),
        item(kFromLabel, K::Label, {20, 150, 56, 166}, "from:"),
        item(kPrintDlgFrom, K::Edit, {56, 148, 96, 168}, "", kDlgItemNumber, kPageDigits),
        item(kToLabel, K::Label, {104, 150, 126, 166}, "to:"),
        item(kPrintDlgTo, K::Edit, {126, 148, 166, 168}, "", kDlgItemNumber, kPageDigits),
        item(kCopiesGroup, K::Group, {210, 84, 310, 180}, "Copies"),
        item(kCopiesLabel, K::Label, {220, 100, 300, 116}, "Number of copies:"),
        item(kPrintDlgCopies, K::Edit, {220, 118, 280, 138}, "", kDlgItemNumber, kCopiesDigits),
        item(kPrintDlgCollate, K::CheckBox, {220, 148, 300, 166}, "Collate"),
        item(kPrintDlgOk, K::Button, {150, 194, 225, 220}, "OK", kDlgItemDefault),
        item(kPrintDlgCancel, K::Button, {235, 194, 310, 220}, "Cancel"),
    };
    return t;
}

u16& copiesOf(GfxPrintDialogRecord& record) { return record.printer ? record.printer->copies : record.copies; }

}  // namespace

mfxPrintDialog::mfxPrintDialog(mfxWindow* parent) : mfxModalDialog(parent, printTemplate()) {}

void mfxPrintDialog::Fill(const GfxPrintDialogRecord& record, const GfxPrintDialogTexts* texts) {
    if (texts) {
        SetTitle((*texts)[0].data());
        for (size_t i = 0; i + 1 < kGfxPrintDialogTextCount; ++i)
            if (HasItem(kTextItems[i])) SetItemText(kTextItems[i], (*texts)[i + 1].data());
    }
    printers_ = pp::printBackend().printers();
    for (const std::string& name : printers_) {
        const u16 entry = ListInsert(kPrintDlgPrinters, kDlgListEnd, name);
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
