#pragma once
// An object whose media is a whole file as it was imported, kept byte for byte: a sound
// ('tWAV'), a movie ('tMOV'), or a vector graphic ('tSWF' still, 'tSWA' animated). Their
// players read the bytes; the page only stores them. A movie's bytes stay in their file (the
// page's file, or the file it came from until the page is saved): `stored` names them, and
// `media` is empty.
#include <memory>

#include "document/objects/RPageObject.h"
#include "document/objects/StoredMedia.h"

namespace Ostrel {

class RMediaFilePageObject : public RPageObject {
public:
    RMediaFilePageObject(FourCC type, u16 id) : RPageObject(type, id) {}
    EngineErr LoadMedia(std::span<const u8> bytes) override;
    EngineErr StoreMedia(std::vector<u8>* bytes) const override;
    std::unique_ptr<RPageObject> Clone() const override { return std::make_unique<RMediaFilePageObject>(*this); }
    bool IsAnimated() const;
    // The bytes whole, from memory or read from their file.
    EngineErr Bytes(std::vector<u8>* bytes) const;
    bool HasMedia() const { return !media.empty() || (stored && stored->Size() > 0); }

    std::vector<u8> media;
    std::shared_ptr<StoredMedia> stored;
};

}  // namespace Ostrel
