#pragma once
// File > Export: the page as a JPEG or BMP picture, as a QuickTime movie, as a Flash movie or
// as a stand-alone player file, and the slide show as a QuickTime movie. (The Mac's PICT
// pictures are not offered: nothing on this system reads them.) The export dialog offers the kinds the
// screen gives it and names the file; a progress window with Cancel stays up while the export
// runs; a failure is told in the language's words, and the user's old file is kept.
// User-interface thread.
#include <span>
#include <string>
#include <vector>

#include "document/pages/RPageData.h"
#include "document/project/RDocument.h"
#include "document/users/Paths.h"
#include "media/export/PageMovieExport.h"

class mfxWindow;

namespace Ostrel {

enum class ExportKind : u16 { PageMovie, ProjectMovie, PageFlash, Player, PageJpeg, PageBmp };

// What the easel offers: the page, a picture first; the picker offers the slide show.
constexpr ExportKind kEaselExportKinds[] = {ExportKind::PageJpeg, ExportKind::PageBmp, ExportKind::PageMovie,
                                            ExportKind::PageFlash, ExportKind::Player};
constexpr ExportKind kPickerExportKinds[] = {ExportKind::ProjectMovie};

struct ExportSources {
    const RPageData* page = nullptr;
    RDocument* document = nullptr;
    MovieExportCanvas canvas;
    // The canvas as the screen showed it (a JPEG stream): a page movie's poster, a JPEG picture's whole; may be empty.
    std::vector<u8> canvasSnapshot;
    // The program folder's text, where the player program lies.
    std::string programFolder;
};

// The player program: the program folder, [GeneralStrings] "FlashPlayerDir", then
// "FlashPlayerWin32".
std::string PlayerProgramPath(const std::string& programFolder);

// Runs one export into `target` (an engine text) under a progress window over `owner` (a
// picture, made in a moment, needs none) and shows the message of a failure; the export's code (kExportCancelled when the user stopped it).
i32 ExportProjectCommand(mfxWindow* owner, const std::string& target, ExportKind kind, const ExportSources& sources);

// Asks for the file and its kind among `kinds`, runs the export and tells the child the name and
// the folder of the file it made; kExportCancelled when the dialog was cancelled.
i32 ExportWithDialog(mfxWindow* owner, const Paths& paths, std::span<const ExportKind> kinds,
                     const std::string& defaultName, const ExportSources& sources);

}  // namespace Ostrel
