#pragma once
// The kinds of file the document's dialogs offer: the program's own pictures and slide shows,
// whose extensions the settings file "TB.ini" names in [FileExtensions] ("Picture",
// "Project"), and the outside files a page takes in or a picture is exported to. Each dialog
// kind has its list of file types, shown as the dialog's filters.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "framework/filedialogs/mfxFileFilter.h"

namespace Ostrel {

// The dialog kinds the screens ask for.
enum FileDialogKind : u16 {
    // Saving (ShowSaveFileDialog).
    kSavePicture = 1,
    kSaveProject = 9,
    kSavePictureAs = 13,
    // Importing (ShowImportFileDialog).
    kImportPictures = 0,
    kImportPicturesToo = 3,
    kImportBackground = 4,  // with the add-to-library choice
    kImportMovie = 6,
    kImportSoundOrFlash = 7,
    kImportProject = 8,
    kImportPicture = 11,
    kImportMedia = 12,
    kImportPictureObject = 111,  // with the placement choices
    kImportOwnPicture = 116,     // the program's own pictures alone: a slide is one of them
    // Exporting (ShowExportFileDialog); any other kind exports the slide show.
    kExportJpeg = 2,
};

// Without a dot, as [FileExtensions] holds them; the document formats' own when unset.
std::string PictureExtension();
std::string ProjectExtension();
// The name with "." and the extension added unless it ends so already (in any case).
std::string WithExtension(const std::string& name, const std::string& extension);

// The outside file type ('WAVE', 'JPEG', ...) of a name by its extension; 0 when unknown.
FourCC FileTypeOfName(const std::string& name);

std::vector<mfxFileFilter> SaveFilters(u16 kind);
std::vector<mfxFileFilter> ImportFilters(u16 kind);
std::vector<mfxFileFilter> ExportFilters(u16 kind);

}  // namespace Ostrel
