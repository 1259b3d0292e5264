#include "document/objects/RBitmapPageObject.h"

#include "document/storage/ObjectTypes.h"

namespace Ostrel {

bool RBitmapPageObject::HasMask() const { return Type() == kTypeMovableBitmap; }

EngineErr RBitmapPageObject::LoadMedia(std::span<const u8> bytes) {
    return parsePictureRecord(bytes, HasMask(), &picture);
}

// A picture not yet given its pixels stores nothing, and loads back as it was.
EngineErr RBitmapPageObject::StoreMedia(std::vector<u8>* bytes) const {
    if (picture.width == 0 && picture.pixels.empty()) {
        bytes->clear();
        return kErrNone;
    }
    return writePictureRecord(picture, HasMask(), bytes);
}

}  // namespace Ostrel
