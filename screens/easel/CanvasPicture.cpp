#include "screens/easel/CanvasPicture.h"

#include "document/objects/RBitmapPageObject.h"
#include "document/storage/ObjectTypes.h"

namespace Ostrel {
namespace {

u8 widen(u32 channel5) { return u8((channel5 << 3) | (channel5 >> 2)); }

}  // namespace

PictureRecord pictureOfPixels(const PixelView& view) {
    PictureRecord picture;
    if (view.width <= 0 || view.height <= 0 || !view.top) return picture;
    picture.width = u16(view.width);
    picture.height = u16(view.height);
    picture.pixels.resize(size_t(view.width) * size_t(view.height) * 4);
    u8* out = picture.pixels.data();
    for (i32 y = 0; y < view.height; ++y) {
        const u16* row = view.Row(y);
        for (i32 x = 0; x < view.width; ++x, out += 4) {
            out[0] = widen(rgb555Red(row[x]));
            out[1] = widen(rgb555Green(row[x]));
            out[2] = widen(rgb555Blue(row[x]));
            out[3] = 0xFF;
        }
    }
    return picture;
}

bool drawPicture(const PixelView& view, const PictureRecord& picture) {
    const size_t area = size_t(picture.width) * picture.height;
    if (area == 0 || picture.pixels.size() != area * 4) return false;
    for (i32 y = 0; y < view.height; ++y) {
        const size_t sourceRow = size_t(i64(y) * picture.height / view.height) * picture.width;
        u16* row = view.Row(y);
        for (i32 x = 0; x < view.width; ++x) {
            const u8* rgba = picture.pixels.data() + (sourceRow + size_t(i64(x) * picture.width / view.width)) * 4;
            row[x] = rgb555(rgba[0], rgba[1], rgba[2]);
        }
    }
    return true;
}

void drawPageBackground(const PixelView& view, const RPageData& page, u16 fill) {
    RPageObject* found = nullptr;
    page.FindObject(kTypeBitmap, kBackgroundId, &found);
    const auto* background = static_cast<const RBitmapPageObject*>(found);
    if (!background || !drawPicture(view, background->picture)) view.Fill(fill);
}

EngineErr storePageBackground(const PixelView& view, RPageData& page) {
    if (EngineErr err = page.EnsureBackground()) return err;
    RPageObject* found = nullptr;
    page.FindObject(kTypeBitmap, kBackgroundId, &found);
    auto* background = static_cast<RBitmapPageObject*>(found);
    background->picture = pictureOfPixels(view);
    background->rect = PageRect{0, 0, view.width, view.height};
    background->changed = true;
    return kErrNone;
}

}  // namespace Ostrel
