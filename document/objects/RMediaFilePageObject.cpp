#include "document/objects/RMediaFilePageObject.h"

#include "document/storage/ObjectTypes.h"

namespace Ostrel {

EngineErr RMediaFilePageObject::LoadMedia(std::span<const u8> bytes) {
    media.assign(bytes.begin(), bytes.end());
    return kErrNone;
}

EngineErr RMediaFilePageObject::StoreMedia(std::vector<u8>* bytes) const { return Bytes(bytes); }

EngineErr RMediaFilePageObject::Bytes(std::vector<u8>* bytes) const {
    if (stored) return stored->ReadAll(bytes);
    *bytes = media;
    return kErrNone;
}

bool RMediaFilePageObject::IsAnimated() const { return Type() == kTypeFlashAnimation; }

}  // namespace Ostrel
