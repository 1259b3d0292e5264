#include "media/swfgl/FirstFramePainter.h"

#include "document/storage/StorageErrors.h"
#include "media/swfgl/FlashFramePainter.h"

namespace swf::draw {

EngineErr PaintFirstFrame(const GfxPixelDescriptor& target, std::span<const u8> movie, const Rect16& place) {
    if (target.depth != 16 || !target.base) return kDocErrBadRect;
    EngineErr error = kErrNone;
    const std::unique_ptr<FlashFramePainter> painter =
        FlashFramePainter::Open(movie, i32(place.right) - place.left, i32(place.bottom) - place.top, &error);
    if (!painter) return error;
    if (const EngineErr played = painter->Play()) return played;
    return painter->PaintOver(target, place);
}

}  // namespace swf::draw
