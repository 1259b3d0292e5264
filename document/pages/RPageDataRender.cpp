// Drawing a page's contents into a port.
#include <cstring>

#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/objects/RTextPageObject.h"
#include "document/objects/TextRecordStyles.h"
#include "document/pages/PagePainting.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/GfxErrors.h"
#include "text/layout/TextLayout.h"
#include "text/measure/StyleFonts.h"

namespace Ostrel {
namespace {

bool drawsPicture(const RPageObject& object) {
    return object.Type() == kTypeBitmap || object.Type() == kTypeMovableBitmap;
}

EngineErr paintInto(GfxPort* port, const RBitmapPageObject& bitmap, Point16 origin) {
    GfxPixelDescriptor target{};
    if (EngineErr err = port->LockBits(&target)) return err;
    paintPicture(target, bitmap.picture, bitmap.rect, origin);
    port->UnlockBits(&target);
    return kErrNone;
}

// The stored text with its runs, laid out in the object's rectangle through the fonts of the
// port (which is current while it draws). A file may hold a longer text than a page's text
// takes: its first 32000 characters show, as the text tool takes them.
void drawText(const RTextPageObject& object, Point16 origin, CharMeasurer& fonts) {
    const TextRecord& record = object.text;
    if (record.text.empty()) return;
    const StyledText styled = styledTextOf(record);
    const Rect16 place{i16(object.rect.left + origin.h), i16(object.rect.top + origin.v),
                       i16(object.rect.right + origin.h), i16(object.rect.bottom + origin.v)};
    TextLayout layout(styled, place, fonts);
    layout.DrawLines();
}

}  // namespace

EngineErr RPageData::DrawObject(GfxPort* port, const RPageObject& object, Point16 origin, CharMeasurer& fonts) {
    if (object.flags & kObjectHidden) return kErrNone;
    if (drawsPicture(object)) return paintInto(port, static_cast<const RBitmapPageObject&>(object), origin);
    if (object.Type() == kTypeText) drawText(static_cast<const RTextPageObject&>(object), origin, fonts);
    return kErrNone;
}

EngineErr RPageData::Render(GfxPort* port, i16 x, i16 y) const {
    if (!port || port == kGfxBadPortHandle) return kGfxErrBadValue;
    if (EngineErr err = gfxLockPort(port)) return err;
    GfxPixelDescriptor target{};
    EngineErr err = port->LockBits(&target);
    if (err) {
        gfxUnlockPort(port);
        return err;
    }
    const bool drawable = target.depth == 16 && target.base;
    port->UnlockBits(&target);
    if (!drawable) {
        gfxUnlockPort(port);
        return kGfxErrBadFormat;
    }
    GfxPort* previous = gfxSetPort(port);
    {
        StyleFonts fonts;
        RPageObject* background = nullptr;
        FindObject(kTypeBitmap, kBackgroundId, &background);
        const Point16 origin{x, y};
        if (background) err = DrawObject(port, *background, origin, fonts);
        for (const auto& object : objects_)
            if (!err && object.get() != background) err = DrawObject(port, *object, origin, fonts);
    }
    gfxSetPort(previous);
    gfxUnlockPort(port);
    return err;
}

EngineErr RPageData::RenderMedia(GfxPort* port, i16 x, i16 y, FourCC type) const {
    if (!port || port == kGfxBadPortHandle) return kGfxErrBadValue;
    GfxPixelDescriptor target{};
    if (EngineErr err = port->LockBits(&target)) return err;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    while (target.depth == 16 && target.base && NextObjectSkipFlagged(&iterator, &object, type)) {
        const PageRect& r = object->rect;
        const Rect16 place{i16(r.left + x), i16(r.top + y), i16(r.right + x), i16(r.bottom + y)};
        // One the painter cannot read leaves its place as Render drew it.
        PaintMediaFirstPicture(target, *object, place);
    }
    port->UnlockBits(&target);
    return target.depth == 16 ? kErrNone : kGfxErrBadFormat;
}

}  // namespace Ostrel
