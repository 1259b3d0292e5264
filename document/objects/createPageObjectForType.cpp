#include "document/objects/createPageObjectForType.h"

#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RLibExclusionsObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/objects/RNotePageObject.h"
#include "document/objects/RTextPageObject.h"
#include "document/storage/ObjectTypes.h"

namespace Ostrel {

namespace {

std::unique_ptr<RPageObject> emptyOfType(u16 id, FourCC type) {
    switch (type) {
    case kTypeBitmap:
    case kTypeMovableBitmap: return std::make_unique<RBitmapPageObject>(type, id);
    case kTypeSound:
    case kTypeMovie:
    case kTypeFlash:
    case kTypeFlashAnimation: return std::make_unique<RMediaFilePageObject>(type, id);
    case kTypeText: return std::make_unique<RTextPageObject>(id);
    case kTypeNote: return std::make_unique<RNotePageObject>(id);
    case kTypeExclusions: return std::make_unique<RLibExclusionsObject>(id);
    default: return nullptr;
    }
}

}  // namespace

std::unique_ptr<RPageObject> createPageObjectForType(u16 id, FourCC type, const PageRect* rect,
                                                     const RPageObject* source) {
    if (source != nullptr) {
        if (source->Type() != type) return nullptr;
        std::unique_ptr<RPageObject> copy = source->Clone();
        copy->SetId(id);
        if (rect) copy->rect = *rect;
        return copy;
    }
    std::unique_ptr<RPageObject> object = emptyOfType(id, type);
    if (object && rect) object->rect = *rect;
    return object;
}

}  // namespace Ostrel
