#include "screens/picker/MediaSlidePage.h"

#include "document/import/FileImport.h"
#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "document/users/EnginePath.h"
#include "media/objects/FlashMovie.h"
#include "media/objects/MovieObj.h"
#include "media/objects/RFlash.h"
#include "media/objects/RMovie.h"
#include "media/objects/StoredMovie.h"

namespace Ostrel {

namespace {

// Gives a movie or an animation its place as the page shows it; false for bytes that hold
// none. The players let the object go again when they end here.
bool placeOnPage(RPageObject& object, const Rect16& canvas) {
    const auto& file = static_cast<const RMediaFilePageObject&>(object);
    if (object.Type() == kTypeMovie) {
        RMovie movies(nullptr, canvas);
        MrMovie* movie = nullptr;
        if (OpenPageMovie(file, &movie) != 0) return false;
        return MovieObj::Create(&movies, movie, &object, false) != nullptr;
    }
    RFlash flash(nullptr, canvas);
    return FlashMovieLoad(&flash, file.media, &object, false) != nullptr;
}

}  // namespace

EngineErr FillMediaSlide(RPageData& page, const std::string& path, FourCC fileType, MediaSlideKind kind,
                         const Rect16& canvas) {
    const FourCC type = FileTypeToResourceType(fileType, false);
    if (kind == MediaSlideKind::Picture && type != kTypeBitmap) return kDocErrBadType;
    const EnginePath file(path);
    if (file.empty()) return kDocErrNotReadable;
    // A white picture of the canvas's size, as the easel keeps a page.
    const PageRect whole{0, 0, i16(canvas.right - canvas.left), i16(canvas.bottom - canvas.top)};
    if (EngineErr err = page.EnsureBackground()) return err;
    RPageObject* found = nullptr;
    page.FindObject(kTypeBitmap, kBackgroundId, &found);
    auto& background = static_cast<RBitmapPageObject&>(*found);
    background.picture = PictureRecord{u16(whole.right), u16(whole.bottom),
                                       std::vector<u8>(size_t(whole.right) * size_t(whole.bottom) * 4, 0xFF), {}};
    background.rect = whole;
    RPageObject* added = nullptr;
    // A picture is placed by its reader; a movie or an animation once its size is known.
    if (EngineErr err = ImportFileIntoPage(page, file.get(), fileType, type == kTypeBitmap ? whole : PageRect{},
                                           nullptr, &added))
        return err;
    if (type == kTypeBitmap) return page.FlattenObject(kTypeBitmap, added);
    if (type == kTypeSound) return kErrNone;
    if (!placeOnPage(*added, {0, 0, whole.right, whole.bottom})) {
        page.DeleteObject(type, added->Id());
        return kDocErrNotReadable;
    }
    return kErrNone;
}

}  // namespace Ostrel
