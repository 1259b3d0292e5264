// What the child brings onto the page from a file, put into the child's own library too.
#include "document/library/AddUserLibraryItem.h"
#include "document/objects/RPageObject.h"
#include "document/storage/ObjectTypes.h"
#include "engine/files/OsServices.h"
#include "framework/dialogs/mfxAlert.h"
#include "panels/library/LibraryPanelCommands.h"
#include "screens/easel/CanvasPicture.h"
#include "screens/easel/LibraryThumbnail.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/RCanvasOwner.h"

namespace Ostrel {

namespace {

// The file's name as the library lists it: without its folder and its ending.
std::string itemName(const std::string& file) {
    std::string name = file.substr(file.find_last_of("\\/") + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace

void RCanvas::AddToOwnLibrary(FourCC type, const std::vector<u8>& media, const std::vector<u8>& thumbnail,
                              const std::string& file) {
    const RLibraryMgr* libraries = owner_ ? owner_->Libraries() : nullptr;
    if (!libraries) return;
    // A library file open in the panel cannot be replaced: the panel lets it go, then lists
    // the kind's libraries again, the child's own with the item.
    owner_->SendToPanel(kMsgLibraryLetGo, type);
    const EngineErr err = AddUserLibraryItem(*libraries, type, media, thumbnail, itemName(file));
    owner_->SendToPanel(kMsgLibraryListChanged, type);
    if (err != kErrNone)
        owner_->FileAlert(err == kOsErrDiskFull ? "NotEnoughDiskSpace" : "GeneralErrorOccured", kAlertOk | kAlertIconStop);
}

void RCanvas::AddToOwnLibrary(const RPageObject& object, const std::string& file) {
    std::vector<u8> media;
    if (object.StoreMedia(&media) != kErrNone) {
        if (owner_) owner_->FileAlert("GeneralErrorOccured", kAlertOk | kAlertIconStop);
        return;
    }
    AddToOwnLibrary(object.Type(), media, LibraryThumbnail(object), file);
}

void RCanvas::AddBackgroundToOwnLibrary(const std::string& file) {
    // The painting is the new background now, stretched over the canvas: as the Backgrounds
    // panel's own pictures, it covers the page when it is put on one.
    const PictureRecord background = pictureOfPixels(picture_);
    std::vector<u8> media;
    if (writePictureRecord(background, false, &media) != kErrNone) {
        if (owner_) owner_->FileAlert("GeneralErrorOccured", kAlertOk | kAlertIconStop);
        return;
    }
    AddToOwnLibrary(kTypeBitmap, media, LibraryThumbnail(background), file);
}

}  // namespace Ostrel
