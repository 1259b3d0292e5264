#include "document/objects/RTextPageObject.h"

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
    // The page keeps a text in one style: the one it begins with.
    const TextStyle style = edited->Runs().StyleAt(0);
    const u32 colour = u32(style.color.red) << 16 | u32(style.color.green) << 8 | style.color.blue;
    const TextRecord record{style.name, style.size, style.StyleBits(), colour, edited->Text(),
                            i16(edited->Justification())};
    const Rect16& bounds = editor.Bounds();
    return RenderAndStore(record, {bounds.left, bounds.top, bounds.right, bounds.bottom});
}

}  // namespace Ostrel
