#pragma once
// A text on the page ('tTXT') with its styles.
#include "document/objects/RPageObject.h"
#include "document/storage/TextRecords.h"

class RTEditor;

namespace Ostrel {

class RTextPageObject : public RPageObject {
public:
    explicit RTextPageObject(u16 id);
    EngineErr LoadMedia(std::span<const u8> bytes) override { return parseTextRecord(bytes, &text); }
    EngineErr StoreMedia(std::vector<u8>* bytes) const override { return writeTextRecord(text, bytes); }
    std::unique_ptr<RPageObject> Clone() const override { return std::make_unique<RTextPageObject>(*this); }
    // Takes the edited text and the rectangle it was laid out in: the page draws it from
    // them, and stores it with its next save (the object and its page are marked changed).
    // the record's refusal for a text it cannot store, kDocErrBadRect for an inside-out rectangle; nothing changes.
    EngineErr RenderAndStore(const TextRecord& record, const PageRect& rectangle);
    // The same with what the page's text editor holds: its text with its styles and the
    // bounds it is laid out in. kDocErrMissingMedia for an editor
    // without a text.
    EngineErr UpdateFromEditor(const RTEditor& editor);

    TextRecord text;
};

}  // namespace Ostrel
