#pragma once
// The teacher's note of a page ('tNOT'): a text, its kind and its language flag.
#include <string>

#include "document/objects/RPageObject.h"
#include "document/storage/TextRecords.h"

namespace Ostrel {

class RNotePageObject : public RPageObject {
public:
    explicit RNotePageObject(u16 id);
    EngineErr LoadMedia(std::span<const u8> bytes) override { return parseNoteRecord(bytes, &note_); }
    EngineErr StoreMedia(std::vector<u8>* bytes) const override { return writeNoteRecord(note_, bytes); }
    std::unique_ptr<RPageObject> Clone() const override { return std::make_unique<RNotePageObject>(*this); }

    const std::string& GetText() const { return note_.text; }
    void SetText(std::string text) { note_.text = std::move(text); }
    bool IsEmpty() const { return note_.text.empty(); }
    u16 GetKind() const { return note_.kind; }
    void SetKind(u16 kind) { note_.kind = kind; }
    u16 GetLanguage() const { return note_.language; }
    void SetLanguage(u16 language) { note_.language = language; }

private:
    NoteRecord note_;
};

}  // namespace Ostrel
