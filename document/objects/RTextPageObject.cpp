#include "document/objects/RTextPageObject.h"

#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/StorageErrors.h"

namespace Ostrel {

RTextPageObject::RTextPageObject(u16 id) : RPageObject(kTypeText, id) {}

EngineErr RTextPageObject::RenderAndStore(const TextRecord& record, const PageRect& rectangle) {
    // What the page stores must read back: the record is checked as its writer checks it.
    std::vector<u8> bytes;
    if (EngineErr err = writeTextRecord(record, &bytes)) return err;
    if (rectangle.right < rectangle.left || rectangle.bottom < rectangle.top) return kDocErrBadRect;
    text = record;
    rect = rectangle;
    changed = true;
    if (Owner()) Owner()->SetModified(true);
    return kErrNone;
}

}  // namespace Ostrel
