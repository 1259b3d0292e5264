#pragma once
// What the print service and its callers exchange: a printer's settings (our stand-in for the
// system's device blocks: which printer, and the choices made for it), what a printer can do,
// one rendered page, and the spooler's codes. Sizes on paper are in tenths of a millimetre.
#include <cstdint>
#include <string>
#include <vector>

namespace plat::print {

// The codes a job reports, as the spooler numbers them: 0 goes on, negative codes stop.
constexpr int kSpoolOk = 0;
constexpr int kSpoolError = -1;
constexpr int kSpoolAppAbort = -2;
constexpr int kSpoolUserAbort = -3;
constexpr int kSpoolOutOfDisk = -4;
constexpr int kSpoolOutOfMemory = -5;

// Which choices a printer lets the program make (the fields bits of the device block).
constexpr uint32_t kFieldOrientation = 0x1;
constexpr uint32_t kFieldPaperSize = 0x2;
constexpr uint32_t kFieldCopies = 0x100;
constexpr uint32_t kFieldColor = 0x800;

constexpr uint16_t kOrientationPortrait = 1;
constexpr uint16_t kOrientationLandscape = 2;
constexpr uint16_t kColorMonochrome = 1;
constexpr uint16_t kColorColor = 2;

// The name of the built-in printer that writes a PDF file.
inline constexpr const char* kPdfPrinterName = "PDF file";

// A paper in portrait, with the margins the printer cannot print on.
struct Paper {
    std::string name;
    uint32_t width = 2100;
    uint32_t length = 2970;
    uint32_t marginLeft = 0;
    uint32_t marginTop = 0;
    uint32_t marginRight = 0;
    uint32_t marginBottom = 0;
};

struct PrinterSettings {
    std::string device;
    bool isDefault = false;
    uint32_t fields = 0;
    uint16_t orientation = kOrientationPortrait;
    uint16_t color = kColorColor;
    uint16_t copies = 1;
    bool collate = false;
    Paper paper;
    uint16_t resolution = 150;
    // Where the file printer writes; empty: a file named after the job in `outputFolder`.
    std::string outputPath;
    // The folder of that file (a host path); empty: the home folder.
    std::string outputFolder;
};

struct PrinterCapabilities {
    // The most copies the printer makes of one page by itself.
    uint16_t maxCopies = 1;
    bool collate = false;
    bool color = true;
    // Whether pages can be handed over as pictures; a printer without it cannot serve the engine.
    bool rasterPages = true;
    std::vector<Paper> papers;
};

// A rendered page: 24-bit pixels, blue, green, red in memory, rows from the top, `stride`
// bytes apart, printed at the given pixels per inch.
struct PageImage {
    const uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
    uint16_t dpiX = 150;
    uint16_t dpiY = 150;
};

}  // namespace plat::print
