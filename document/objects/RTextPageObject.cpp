#include "document/objects/RTextPageObject.h"

#include "document/storage/ObjectTypes.h"

namespace Ostrel {

RTextPageObject::RTextPageObject(u16 id) : RPageObject(kTypeText, id) {}

}  // namespace Ostrel
