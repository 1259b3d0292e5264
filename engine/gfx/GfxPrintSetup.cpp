#include "engine/gfx/GfxPrintSetup.h"

#include <algorithm>
#include <cstring>

#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPrinterPort.h"
#include "platform/print/choice/PrintChoice.h"

namespace pp = plat::print;

namespace {

GfxPrintDialogProc dialogProc;
GfxPrintDialogTexts dialogTexts{};
bool textsGiven = false;

u16 clampCopies(u32 copies) { return u16(std::clamp<u32>(copies, 1, 0xFFFF)); }

}  // namespace

void gfxSetPrintDialogProc(GfxPrintDialogProc proc) { dialogProc = std::move(proc); }

bool gfxHasPrintDialogProc() { return bool(dialogProc); }

void gfxSetPrintDialogStrings(const std::array<std::string_view, kGfxPrintDialogTextCount>& texts) {
    for (size_t i = 0; i < kGfxPrintDialogTextCount; ++i) {
        const size_t n = std::min(texts[i].size(), kGfxPrintDialogTextSize - 1);
        if (n) std::memcpy(dialogTexts[i].data(), texts[i].data(), n);
        dialogTexts[i][n] = '\0';
    }
    textsGiven = true;
}

const GfxPrintDialogTexts* gfxPrintDialogStrings() { return textsGiven ? &dialogTexts : nullptr; }

GfxPrintSetup::GfxPrintSetup(const char* jobTitle, u32 first, u32 last, u32 highest, u32 count, u16 newOrientation,
                             u16 newColour) {
    valid = 1;
    Reset(jobTitle, first, last, highest, count, newOrientation, newColour);
}

GfxPrintSetup::~GfxPrintSetup() {
    if (printerPort) printerPort->ForgetSetup();
    Invalidate();
}

void GfxPrintSetup::Invalidate() {
    dialog.printer.reset();
    title.clear();
    valid = 0;
}

EngineErr GfxPrintSetup::Reset(const char* jobTitle, u32 first, u32 last, u32 highest, u32 count, u16 newOrientation,
                               u16 newColour) {
    if (!valid) return gfxSetError(kGfxErrPrintSetupInvalid);
    if (printerPort) return gfxSetError(kGfxErrPrintSetupBusy);
    firstPage = first;
    lastPage = last;
    highestPage = highest;
    // No copies at all would end the job after its first page as if it were done.
    copies = clampCopies(count);
    if (newOrientation < kGfxPrintNotSet) orientation = newOrientation;
    if (newColour < kGfxPrintNotSet) colour = newColour;
    title = jobTitle ? jobTitle : "Untitled";
    // A printer chosen in the dialog stays chosen; the default printer is fetched afresh, as
    // the system's default may have changed.
    if (!dialog.printer || dialog.printer->isDefault) {
        pp::PrinterSettings settings;
        if (!pp::printBackend().defaultPrinter(&settings)) {
            Invalidate();
            return gfxSetError(kGfxErrNoPrinter);
        }
        dialog.printer = std::move(settings);
    }
    ApplyChoices();
    ReadBack();
    return gfxSetError(kErrNone);
}

// Writes the set-up's choices into the printer's settings where the printer offers them.
// Copies go in too: a set-up made for three copies prints three.
void GfxPrintSetup::ApplyChoices() {
    pp::PrinterSettings& settings = *dialog.printer;
    if ((settings.fields & pp::kFieldOrientation) && orientation != kGfxPrintNotSet)
        settings.orientation = orientation == kGfxPrintLandscape ? pp::kOrientationLandscape : pp::kOrientationPortrait;
    if ((settings.fields & pp::kFieldColor) && colour != kGfxPrintNotSet)
        settings.color = colour == kGfxPrintColour ? pp::kColorColor : pp::kColorMonochrome;
    if (settings.fields & pp::kFieldCopies) settings.copies = clampCopies(copies);
}

// Reads the choices back from the printer's settings. A printer that does not take copies
// leaves them with the set-up (the engine makes them).
void GfxPrintSetup::ReadBack() {
    if (!dialog.printer) {
        copies = dialog.copies;
        return;
    }
    const pp::PrinterSettings& settings = *dialog.printer;
    if (settings.fields & pp::kFieldOrientation)
        orientation = settings.orientation == pp::kOrientationLandscape ? kGfxPrintLandscape : kGfxPrintPortrait;
    if (settings.fields & pp::kFieldColor) colour = settings.color == pp::kColorColor ? kGfxPrintColour : kGfxPrintMonochrome;
    if (settings.fields & pp::kFieldCopies) copies = settings.copies;
    deviceName.fill('\0');
    std::memcpy(deviceName.data(), settings.device.data(), std::min(settings.device.size(), deviceName.size() - 1));
}

i32 GfxPrintSetup::RunPrintDlg(plat::WindowHandle owner) {
    if (!valid) {
        gfxSetError(kGfxErrPrintSetupInvalid);
        return -1;
    }
    if (printerPort) {
        gfxSetError(kGfxErrPrintSetupBusy);
        return -1;
    }
    dialog.owner = owner;
    dialog.flags |= kGfxPrintNoSelection;
    // "All" is chosen for the whole range, "Pages" otherwise.
    if (firstPage != 1 || lastPage < highestPage)
        dialog.flags |= kGfxPrintPageNums;
    else
        dialog.flags &= ~kGfxPrintPageNums;
    dialog.fromPage = u16(firstPage);
    dialog.toPage = u16(lastPage);
    dialog.minPage = 1;
    dialog.maxPage = u16(highestPage);
    if (dialog.printer)
        dialog.printer->copies = clampCopies(copies);
    else
        dialog.copies = clampCopies(copies);
    dialog.flags &= ~kGfxPrintSetupOnly;
    const i32 result = dialogProc ? dialogProc(dialog, gfxPrintDialogStrings()) : -1;
    if (result < 0) {
        gfxSetError(kGfxErrGdi);
        return -1;
    }
    gfxSetError(kErrNone);
    if (result == 0) return 0;
    // The dialog's choices are read first, so that writing the set-up's choices back only has
    // the printer check them.
    ReadBack();
    if (dialog.printer) {
        if (!(dialog.printer->fields & pp::kFieldCopies)) copies = dialog.printer->copies;
        ApplyChoices();
        ReadBack();
    }
    if (dialog.flags & kGfxPrintPageNums) {
        firstPage = dialog.fromPage;
        lastPage = dialog.toPage;
    } else {
        firstPage = 1;
        lastPage = highestPage;
    }
    return result;
}

void GfxPrintSetup::SetOrientation(u16 newOrientation) {
    if (newOrientation >= kGfxPrintNotSet) return;
    orientation = newOrientation;
    if (dialog.printer)
        dialog.printer->orientation =
            newOrientation == kGfxPrintLandscape ? pp::kOrientationLandscape : pp::kOrientationPortrait;
}
