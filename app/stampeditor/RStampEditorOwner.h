#pragma once
// What the stamp editor needs of the panel that opened it.
#include <vector>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

class RStampEditorOwner {
public:
    virtual ~RStampEditorOwner() = default;
    // The child closed the editor; `modified` non-zero when the edited stamp is to be kept
    // (the editor's Stamp() holds it).
    virtual void CommitStampEdit(u16 modified) = 0;
    // The picture the stamp had before this edit, for Revert; false when there is none.
    virtual bool StoredStampPicture(std::vector<u8>* bitmap) const = 0;
};

}  // namespace Ostrel
