#include "document/objects/RNotePageObject.h"

#include "document/storage/ObjectTypes.h"

namespace Ostrel {

RNotePageObject::RNotePageObject(u16 id) : RPageObject(kTypeNote, id) {}

}  // namespace Ostrel
