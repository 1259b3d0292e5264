#pragma once
// A picture on the page ('tBMP'; id 1 is the page's background), or a movable picture with
// its mask ('tMBM').
#include "document/objects/RPageObject.h"
#include "document/storage/PictureRecord.h"

namespace Ostrel {

class RBitmapPageObject : public RPageObject {
public:
    RBitmapPageObject(FourCC type, u16 id) : RPageObject(type, id) {}
    bool HasMask() const;
    EngineErr LoadMedia(std::span<const u8> bytes) override;
    EngineErr StoreMedia(std::vector<u8>* bytes) const override;
    std::unique_ptr<RPageObject> Clone() const override { return std::make_unique<RBitmapPageObject>(*this); }

    PictureRecord picture;
};

}  // namespace Ostrel
