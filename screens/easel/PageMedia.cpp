#include "screens/easel/PageMedia.h"

#include <unordered_set>

#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "media/objects/PictureSprite.h"
#include "media/objects/StoredMovie.h"

namespace Ostrel {

bool isPageMediaType(FourCC type) {
    return type == kTypeFlash || type == kTypeFlashAnimation || type == kTypeMovie;
}

bool isPagePicture(const RPageObject& object) {
    return (object.Type() == kTypeBitmap && object.Id() != kBackgroundId) || object.Type() == kTypeMovableBitmap;
}

void PageMedia::Show(RPageObject* object) {
    if (isPagePicture(*object)) {
        if (const auto* bitmap = dynamic_cast<const RBitmapPageObject*>(object))
            CreatePictureSprite(&pictures_, bitmap->picture, object);
        return;
    }
    auto* file = dynamic_cast<RMediaFilePageObject*>(object);
    if (!file) return;
    if (object->Type() == kTypeMovie) {
        MrMovie* movie = nullptr;
        if (OpenPageMovie(*file, &movie) != 0) return;
        MovieObj::Create(&movies_, movie, object, true);
        return;
    }
    FlashMovieLoad(&flash_, file->media, object, true);
}

void PageMedia::Sync(const RPageData& page) {
    flash_.RemoveOrphans();
    movies_.RemoveOrphans();
    pictures_.RemoveOrphans();
    std::unordered_set<const RPageObject*> shown;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    while (page.NextObjectSkipFlagged(&iterator, &object, kTypeAnyObject)) {
        if (!isPageMediaType(object->Type()) && !isPagePicture(*object)) continue;
        shown.insert(object);
        if (auto* movie = dynamic_cast<FlashMovie*>(object->Media())) {
            const Rect16 place = flash_.ToScreen(object->rect);
            if (!rectEqual(place, movie->displayRect())) flash_.MoveMovie(movie, place);
        } else if (auto* record = dynamic_cast<MovieObj*>(object->Media())) {
            const Rect16 place = movies_.ToScreen(object->rect);
            if (!rectEqual(place, record->displayRect())) movies_.MoveMovie(record, place);
        } else if (auto* picture = dynamic_cast<PictureSprite*>(object->Media())) {
            const Rect16 place = pictures_.ToScreen(object->rect);
            if (!rectEqual(place, picture->record().position)) picture->SetBounds(place);
        } else {
            Show(object);
        }
    }
    // What another page holds, or what the page hides now, goes from the screen.
    for (size_t i = flash_.count(); i-- > 0;)
        if (!shown.count(flash_.movie(i)->object())) flash_.RemoveMovie(flash_.movie(i));
    for (size_t i = movies_.count(); i-- > 0;)
        if (!shown.count(movies_.record(i)->object())) movies_.RemoveMovie(movies_.record(i));
    for (size_t i = pictures_.count(); i-- > 0;)
        if (!shown.count(pictures_.sprite(i)->object())) pictures_.RemovePicture(pictures_.sprite(i));
}

void PageMedia::PlayAll(FlashSounds sounds) {
    for (size_t i = 0; i < flash_.count(); ++i) {
        FlashMoviePause(flash_.movie(i));
        FlashMoviePlay(flash_.movie(i), sounds);
    }
    for (size_t i = 0; i < movies_.count(); ++i) {
        MovieObjPause(movies_.record(i));
        MovieObjPlay(movies_.record(i));
    }
}

void PageMedia::PlayOne(const RPageObject& object) {
    if (auto* movie = dynamic_cast<FlashMovie*>(object.Media())) {
        FlashMoviePause(movie);
        FlashMoviePlay(movie);
    } else if (auto* record = dynamic_cast<MovieObj*>(object.Media())) {
        MovieObjPause(record);
        MovieObjPlay(record);
    }
}

void PageMedia::StopAll() {
    for (size_t i = 0; i < flash_.count(); ++i) FlashMovieStop(flash_.movie(i));
    for (size_t i = 0; i < movies_.count(); ++i) MovieObjStop(movies_.record(i));
}

void PageMedia::Clear() {
    while (flash_.count()) flash_.RemoveMovie(flash_.movie(flash_.count() - 1));
    while (movies_.count()) movies_.RemoveMovie(movies_.record(movies_.count() - 1));
    while (pictures_.count()) pictures_.RemovePicture(pictures_.sprite(pictures_.count() - 1));
}

}  // namespace Ostrel
