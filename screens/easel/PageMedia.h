#pragma once
// The animations, movies and pictures of the page the canvas shows, each on its sprite over the
// page: what a page holds shows when it is shown or placed, the animations and movies standing
// on their first pictures, follows its object when that moves or resizes, and goes when its
// object leaves the page (deleted, flattened, undone) or the canvas shows another page. The
// easel's Play plays them all from their start, the animations' sounds heard with their frames
// (a slide show plays them without); its Stop stops them. A file that holds no readable movie
// shows nothing and leaves the rest of the page as it is. User-interface thread only.
#include "media/objects/RFlash.h"
#include "media/objects/RBMP.h"
#include "media/objects/RMovie.h"

namespace Ostrel {

class RPageData;

class PageMedia {
public:
    // `canvas` on the screen; the media draw on the sprite layer's work port.
    explicit PageMedia(const Rect16& canvas) : flash_(nullptr, canvas), movies_(nullptr, canvas), pictures_(canvas) {}

    void Sync(const RPageData& page);
    // Whether the object shows after a Sync of its page: false for bytes that hold no movie.
    static bool Shows(const RPageObject& object) { return object.Media() != nullptr; }
    void PlayAll(FlashSounds sounds = FlashSounds::Heard);
    // The object's animation or movie alone plays from its start; nothing for an object that
    // shows neither.
    void PlayOne(const RPageObject& object);
    void StopAll();
    void Clear();

    const RFlash& Flash() const { return flash_; }
    const RMovie& Movies() const { return movies_; }
    const RBMP& Pictures() const { return pictures_; }

private:
    void Show(RPageObject* object);

    RFlash flash_;
    RMovie movies_;
    RBMP pictures_;
};

// Whether objects of the kind play on the page.
bool isPageMediaType(FourCC type);
// Whether the object is a picture placed on the page (the page's background is none).
bool isPagePicture(const RPageObject& object);

}  // namespace Ostrel
