#include "screens/easel/LibraryThumbnail.h"

#include <algorithm>
#include <memory>

#include "document/objects/RBitmapPageObject.h"
#include "document/pages/RPageData.h"
#include "document/pages/ShrinkPicture.h"
#include "document/storage/ObjectTypes.h"
#include "framework/resources/mfxReadResource.h"
#include "media/objects/PictureBitmap.h"
#include "panels/audio/RAudioPanel.h"

namespace Ostrel {

std::vector<u8> LibraryThumbnail(const PictureRecord& picture) {
    if (picture.width == 0 || picture.height == 0) return {};
    const u32 height = std::clamp<u32>(u32(kLibraryThumbnailSide) * picture.height / picture.width, 1, kPictureMaxSide);
    return storedPictureBitmap(ShrinkPicture(picture, kLibraryThumbnailSide, u16(height)));
}

std::vector<u8> LibraryThumbnail(const RPageObject& object) {
    if (object.Type() == kTypeSound) {
        // The icon the sounds recorded into the library carry.
        std::vector<u8> icon;
        return mfxReadResource(kTypeBitmap, kAudioSoundIcon, &icon) == kErrNone ? icon : std::vector<u8>{};
    }
    if (object.Type() == kTypeBitmap) return LibraryThumbnail(static_cast<const RBitmapPageObject&>(object).picture);
    // Its first picture on a page of its own, as large as the page takes it keeping its
    // proportions, made small as a page's thumbnail is.
    const i32 width = std::max(object.rect.right - object.rect.left, 1), height = std::max(object.rect.bottom - object.rect.top, 1);
    const i32 scaledWidth = std::min<i32>(kPageWidth, width * kPageHeight / height);
    const i32 scaledHeight = std::min<i32>(kPageHeight, height * kPageWidth / width);
    std::unique_ptr<RPageObject> copy = object.Clone();
    copy->SetOwner(nullptr);
    copy->rect = PageRect{i16((kPageWidth - scaledWidth) / 2), i16((kPageHeight - scaledHeight) / 2),
                          i16((kPageWidth + scaledWidth) / 2), i16((kPageHeight + scaledHeight) / 2)};
    RPageData alone;
    if (!alone.AdoptObject(std::move(copy))) return {};
    return LibraryThumbnail(alone.MakeThumbnail());
}

}  // namespace Ostrel
