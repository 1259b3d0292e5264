#pragma once
// A text on the page ('tTXT') with its font.
#include "document/objects/RPageObject.h"
#include "document/storage/TextRecords.h"

namespace Ostrel {

class RTextPageObject : public RPageObject {
public:
    explicit RTextPageObject(u16 id);
    EngineErr LoadMedia(std::span<const u8> bytes) override { return parseTextRecord(bytes, &text); }
    EngineErr StoreMedia(std::vector<u8>* bytes) const override { return writeTextRecord(text, bytes); }
    std::unique_ptr<RPageObject> Clone() const override { return std::make_unique<RTextPageObject>(*this); }

    TextRecord text;
};

}  // namespace Ostrel
