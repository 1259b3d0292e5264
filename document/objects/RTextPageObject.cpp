#include "document/objects/RTextPageObject.h"

#include "document/objects/TextRecordStyles.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "text/editor/RTEditor.h"

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
    if (Owner()) Owner()->MarkModified();
    return kErrNone;
}

EngineErr RTextPageObject::UpdateFromEditor(const RTEditor& editor) {
    const StyledText* edited = editor.Text();
    if (!edited) return kDocErrMissingMedia;
    const TextRecord record = textRecordOf(*edited);
    const Rect16& bounds = editor.Bounds();
    return RenderAndStore(record, {bounds.left, bounds.top, bounds.right, bounds.bottom});
}

}  // namespace Ostrel
