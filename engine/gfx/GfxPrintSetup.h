#pragma once
// The print set-up: everything the engine needs to print one document. It holds the chosen
// printer (the print service's settings record, which stands in for the system's device
// blocks), the page range, copies, orientation, colour and job title; it runs the print dialog
// and is the record the printer port made from it keeps its page geometry and print state in.
// While a printer port made from it exists, the set-up can be neither reset nor shown in the
// dialog; a set-up that goes first abandons the port's document and leaves the port unable to
// print. The print dialog itself is drawn above the engine: the framework installs it with
// gfxSetPrintDialogProc. User-interface thread only.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "platform/print/PrintTypes.h"
#include "platform/ui/Messages.h"

class GfxPrinterPort;

// Print dialog flags.
constexpr u32 kGfxPrintPageNums = 0x2;
constexpr u32 kGfxPrintNoSelection = 0x4;
constexpr u32 kGfxPrintCollate = 0x10;
constexpr u32 kGfxPrintSetupOnly = 0x40;
constexpr u32 kGfxPrintHooks = 0x3000;

// Orientation and colour choices of a set-up; kGfxPrintNotSet leaves the printer's own.
constexpr u16 kGfxPrintPortrait = 0;
constexpr u16 kGfxPrintLandscape = 1;
constexpr u16 kGfxPrintMonochrome = 0;
constexpr u16 kGfxPrintColour = 1;
constexpr u16 kGfxPrintNotSet = 0xFFFF;
// A last page that leaves the range open until the caller marks the last page it prints.
constexpr u32 kGfxPrintOpenEnded = 65535;

constexpr size_t kGfxPrintDeviceNameSize = 64;
constexpr size_t kGfxPrintDialogTextCount = 21;
constexpr size_t kGfxPrintDialogTextSize = 32;

// The print dialog's record: what it shows, and on OK what was chosen.
struct GfxPrintDialogRecord {
    plat::WindowHandle owner = plat::kNoWindow;
    u32 flags = kGfxPrintHooks;
    u16 fromPage = 0;
    u16 toPage = 0;
    u16 minPage = 0;
    u16 maxPage = 0;
    // The copies when no printer is chosen; with a printer they live in its settings.
    u16 copies = 1;
    std::optional<plat::print::PrinterSettings> printer;
};

// The texts the engine gives the dialog (caption first), each a buffer of 32 bytes.
using GfxPrintDialogTexts = std::array<std::array<char, kGfxPrintDialogTextSize>, kGfxPrintDialogTextCount>;

// Shows the print dialog over the record (texts null: the dialog's own); 1 on OK with the record
// changed to the choices, 0 on cancel, -1 when the dialog cannot be shown.
using GfxPrintDialogProc = std::function<i32(GfxPrintDialogRecord& record, const GfxPrintDialogTexts* texts)>;
void gfxSetPrintDialogProc(GfxPrintDialogProc proc);
// Whether a dialog is set: without one RunPrintDlg cannot ask.
bool gfxHasPrintDialogProc();

// Each text is cut to 31 characters.
void gfxSetPrintDialogStrings(const std::array<std::string_view, kGfxPrintDialogTextCount>& texts);
// Null until texts were given.
const GfxPrintDialogTexts* gfxPrintDialogStrings();

// The print state, cleared when a document starts.
struct GfxPrintState {
    u16 errorNoted = 0;
    u16 aborted = 0;
    u16 done = 0;
    // The page to draw while a page is open, 0 otherwise.
    u16 currentPage = 0;
    u32 pagesPrinted = 0;
    Rect16 pageRect{};
};

class GfxPrintSetup {
public:
    // Title null: "Untitled". Sets the graphics error; `valid` says whether it worked.
    GfxPrintSetup(const char* title, u32 firstPage, u32 lastPage, u32 highestPage, u32 copies, u16 orientation,
                  u16 colour);
    ~GfxPrintSetup();
    GfxPrintSetup(const GfxPrintSetup&) = delete;
    GfxPrintSetup& operator=(const GfxPrintSetup&) = delete;

    EngineErr Reset(const char* title, u32 firstPage, u32 lastPage, u32 highestPage, u32 copies, u16 orientation,
                    u16 colour);
    i32 RunPrintDlg(plat::WindowHandle owner);
    void SetOrientation(u16 newOrientation);

    u16 valid = 0;
    std::array<char, kGfxPrintDeviceNameSize> deviceName{};
    std::string title;
    // The folder (engine text) a printer that writes files puts the document in; empty: the
    // home folder. After a document that such a printer finished: the file's engine text.
    std::string fileFolder;
    std::string writtenFile;
    u32 firstPage = 0;
    u32 lastPage = 0;
    u32 highestPage = 0;
    u32 copies = 0;
    u16 orientation = kGfxPrintNotSet;
    u16 colour = kGfxPrintNotSet;
    // Written by the printer port: the printable page (origin 0), the paper around it, and
    // the pixels per inch.
    Rect16 printable{};
    Rect16 paper{};
    u16 ppiX = 0;
    u16 ppiY = 0;
    GfxPrintState state;
    GfxPrinterPort* printerPort = nullptr;
    GfxPrintDialogRecord dialog;

private:
    void ApplyChoices();
    void ReadBack();
    void Invalidate();
};
