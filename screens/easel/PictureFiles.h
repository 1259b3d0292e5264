#pragma once
// Pictures on the easel: one page in its own picture file (".tbx"). Opening makes the file's
// page the current page; saving asks for a name and writes the current page, painting
// included, into that file. A save writes a new file beside the old one and swaps it in only
// when all of it was written, so a save that fails or is cancelled leaves the previous file as
// it was and the page unsaved; the failure is told in an alert. User-interface thread only.
#include <functional>
#include <string>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

class RCanvas;
class RCanvasOwner;
class RPage;
class UndoManager;

// How the child is asked for names and told of failures; the defaults run the document's
// file dialogs and the program's alerts, tests answer themselves.
struct PictureFileUi {
    // The engine text of the file to write (the dialog kSavePicture or kSavePictureAs), empty
    // when cancelled.
    std::function<std::string(u16 kind, const std::string& defaultName)> askSaveName;
    // The engine text of the picture to open, empty when cancelled.
    std::function<std::string(u16 kind)> askOpenName;
    // An OK alert with the stop icon showing the text of `key` in section "FileStrings", its
    // "%s" filled with `fill`.
    std::function<void(const char* key, const std::string& fill)> alert;
};

// The alert key of "FileStrings" for a failed save.
const char* saveFailureKey(EngineErr err);

class PictureFiles {
public:
    PictureFiles(RCanvas& canvas, RCanvasOwner& owner, UndoManager* undo, PictureFileUi ui);

    // Opens the picture; true when it became the current page.
    bool OpenPicture(const std::string& path);
    // Asks for a picture (the document's import dialog of `kind`): its path, empty when none.
    std::string AskOpenName(u16 kind) const;
    // Asks for a name and saves the page; true when it was saved.
    bool SavePicture(RPage* page, u16 kind);
    // The easel's saving step: the panel lets go of the canvas, the painting goes into the
    // page, the page into the file; 0 or the engine error. An empty path answers 1.
    EngineErr SavePageToFile(RPage* page, const std::string& path);

private:
    RCanvas& canvas_;
    RCanvasOwner& owner_;
    UndoManager* undo_;
    PictureFileUi ui_;
};

// The document's file dialogs and the program's alerts, for the user's folders of `owner`.
PictureFileUi defaultPictureFileUi(const RCanvasOwner& owner);

}  // namespace Ostrel
