#pragma once
// An object whose media is a whole file as it was imported, kept byte for byte: a sound
// ('tWAV'), a movie ('tMOV'), or a vector graphic ('tSWF' still, 'tSWA' animated). Their
// players read the bytes; the page only stores them.
#include "document/objects/RPageObject.h"

namespace Ostrel {

class RMediaFilePageObject : public RPageObject {
public:
    RMediaFilePageObject(FourCC type, u16 id) : RPageObject(type, id) {}
    EngineErr LoadMedia(std::span<const u8> bytes) override;
    EngineErr StoreMedia(std::vector<u8>* bytes) const override;
    std::unique_ptr<RPageObject> Clone() const override { return std::make_unique<RMediaFilePageObject>(*this); }
    bool IsAnimated() const;

    std::vector<u8> media;
};

}  // namespace Ostrel
