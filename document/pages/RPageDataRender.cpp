// Drawing a page's contents into a port.
#include "document/objects/RBitmapPageObject.h"
#include "document/pages/PagePainting.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/GfxErrors.h"

namespace Ostrel {
namespace {

bool drawsPicture(const RPageObject& object) {
    return (object.Type() == kTypeBitmap || object.Type() == kTypeMovableBitmap) && !(object.flags & kObjectHidden);
}

}  // namespace

EngineErr RPageData::Render(GfxPort* port, i16 x, i16 y) const {
    if (!port || port == kGfxBadPortHandle) return kGfxErrBadValue;
    if (EngineErr err = gfxLockPort(port)) return err;
    GfxPixelDescriptor target{};
    EngineErr err = port->LockBits(&target);
    if (err) {
        gfxUnlockPort(port);
        return err;
    }
    if (target.depth == 16 && target.base) {
        RPageObject* background = nullptr;
        FindObject(kTypeBitmap, kBackgroundId, &background);
        const Point16 origin{x, y};
        auto paint = [&](const RPageObject& object) {
            const auto& bitmap = static_cast<const RBitmapPageObject&>(object);
            paintPicture(target, bitmap.picture, bitmap.rect, origin);
        };
        if (background && drawsPicture(*background)) paint(*background);
        for (const auto& object : objects_)
            if (object.get() != background && drawsPicture(*object)) paint(*object);
    } else {
        err = kGfxErrBadFormat;
    }
    port->UnlockBits(&target);
    gfxUnlockPort(port);
    return err;
}

}  // namespace Ostrel
