#pragma once
// The document's file dialogs: saving pictures and slide shows, choosing a file to import and
// a file to export to, each with its kind's file types and starting in the user's folder for
// it, which the dialog names in words ("Mia's Pictures"). A chosen name gets its kind's
// extension; cancelling gives an empty path.
#include <functional>
#include <string>

#include "document/filetypes/RFileTypes.h"
#include "document/pages/RPageData.h"
#include "document/users/Paths.h"
#include "engine/regions/Rects.h"
#include "platform/ui/Messages.h"

class mfxWindow;

namespace Ostrel {

class RLibrary;

// The name the user knows a folder by, as the dialogs show it ("Mia's Pictures"), inside a
// sentence that tells where a file went ("... in Mia's folder.", "... en la carpeta de Mia.").
std::string ShownFolderName(const Paths& paths, const std::string& folder);

// Saving (the kinds kSavePicture, kSaveProject, kSavePictureAs). The engine text of the file
// to write, or empty. The name field starts with `defaultName` (the picture's or the show's own),
// selected, so that saving again keeps the name and typing gives another.
std::string ShowSaveFileDialog(mfxWindow* owner, const Paths& paths, u16 kind, const std::string& defaultName);

struct ImportChoice {
    std::string path;
    FourCC fileType = 0;
    // The option the dialog's extension offered and the user left chosen (its radio item's
    // id); 0 without one.
    u16 option = 0;
    // A background, movie or sound the child asked to go into the child's own library too.
    bool addToLibrary = false;
};
// A preview of the file the child picks in the list: the dialog template that adds the preview
// area below the list, and what draws the picked file (its engine text) into that area of the
// owner window (client coordinates), as the option chosen in the extension would have it.
struct ImportPreview {
    u16 templateId = 0;
    std::function<void(const std::string& file, u16 option, plat::WindowHandle window, const Rect16& area)> draw;
};
// False when nothing was chosen.
bool ShowImportFileDialog(mfxWindow* owner, const Paths& paths, u16 kind, ImportChoice* choice,
                          const ImportPreview* preview = nullptr);

std::string ShowExportFileDialog(mfxWindow* owner, const Paths& paths, u16 kind, const std::string& defaultName);
// Exporting in one of several kinds, each a file type of the dialog, starting in the user's
// folder: the name as chosen, and in `chosen` the kind's index among `kinds` (the type shown
// when the name was given).
std::string ShowExportFileDialog(mfxWindow* owner, const Paths& paths, std::vector<mfxFileFilter> kinds,
                                 const std::string& defaultName, u16* chosen);

// Asks for a file of the kind and brings it into the page (and the library when one is
// given). kErrNone with `added` null when the user cancelled.
EngineErr ImportFileWithDialog(mfxWindow* owner, const Paths& paths, u16 kind, RPageData& page, const PageRect& rect,
                               RLibrary* library, RPageObject** added);

}  // namespace Ostrel
