#include "panels/brushsub/PatternStrip.h"

#include "engine/gfx/sprites/SprPicture.h"
#include "framework/resources/mfxReadResource.h"

namespace Ostrel {

std::vector<ScrollerPicture> LoadPatternPictures() {
    std::vector<ScrollerPicture> pictures;
    for (u32 id = kPatternFirstId; id <= 0xFFFF; id += kPatternIdStep) {
        ScrollerPicture picture;
        if (mfxReadResource(kSprPictureType, u16(id), &picture) != kErrNone) break;
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

u16 PatternGroupOfItem(int item) {
    const i32 id = i32(kPatternFirstId) + item * i32(kPatternIdStep);
    return item < 0 || id > 0xFFFF ? 0 : u16(id);
}

}  // namespace Ostrel
