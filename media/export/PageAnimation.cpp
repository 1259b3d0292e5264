#include "media/export/PageAnimation.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>

#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "media/export/ExportFiles.h"
#include "media/export/PagePicture.h"
#include "media/swfgl/FlashFramePainter.h"

namespace Ostrel {

namespace {

struct Playing {
    std::unique_ptr<swf::draw::FlashFramePainter> painter;
    Rect16 place;
    // The frames played so far.
    i64 played = 0;
};

// The page's Flash objects that can be played, each at its place; with `overMovies`, only those
// above a movie (after it in page order), still ones too.
std::vector<Playing> flashOf(const RPageData& page, Point16 at, bool overMovies) {
    std::vector<Playing> found;
    bool movieBelow = false;
    u32 it = 0;
    RPageObject* object = nullptr;
    while (page.NextObjectSkipFlagged(&it, &object, fourCC("??PO"))) {
        movieBelow = movieBelow || object->Type() == kTypeMovie;
        if (object->Type() != kTypeFlash && object->Type() != kTypeFlashAnimation) continue;
        if (overMovies && !movieBelow) continue;
        Rect16 place{object->rect.left, object->rect.top, object->rect.right, object->rect.bottom};
        rectOffset(&place, at.h, at.v);
        EngineErr error = kErrNone;
        auto painter = swf::draw::FlashFramePainter::Open(static_cast<const RMediaFilePageObject*>(object)->media,
                                                          i32(place.right) - place.left, i32(place.bottom) - place.top,
                                                          &error);
        // A movie that cannot be played keeps its place as the page shows it.
        if (painter && (overMovies || painter->FrameMs() > 0)) found.push_back({std::move(painter), place});
    }
    return found;
}

// The pictures of `flash` over `beneath`, each coded by `code`.
i32 animate(std::vector<Playing>& flash, const PagePicture& beneath, i32 durationMs, std::vector<std::vector<u8>>* frames,
            const std::function<std::vector<u8>(PagePicture&)>& code) {
    frames->clear();
    if (flash.empty() || durationMs <= 0) return kExportOk;
    i64 step = durationMs;
    for (const Playing& p : flash)
        if (p.painter->FrameMs() > 0) step = std::min<i64>(step, p.painter->FrameMs());
    step = std::max<i64>(step, kAnimationFrameMsMin);
    const i64 count = (durationMs + step - 1) / step;
    const u16 width = beneath.Width(), height = beneath.Height();
    const std::unique_ptr<PagePicture> picture = PagePicture::Blank(width, height);
    if (!picture) return kExportNoMemory;
    for (i64 i = 0; i < count; ++i) {
        const i64 at = i64(durationMs) * i / count;
        for (i32 y = 0; y < height; ++y)
            std::memcpy(picture->Pixels().Row(y), beneath.Pixels().Row(y), size_t(width) * 2);
        for (Playing& p : flash) {
            // Each frame shows from its own start until the next one's; a still one shows its only frame.
            const i64 frameMs = p.painter->FrameMs();
            while ((frameMs > 0 ? p.played * frameMs <= at : p.played == 0) && p.painter->Play() == kErrNone) ++p.played;
            p.painter->PaintOver(picture->Bits(), p.place);
        }
        frames->push_back(code(*picture));
        if (frames->back().empty()) return kExportNoMemory;
    }
    return kExportOk;
}

}  // namespace

i32 AnimatePage(const RPageData& page, u16 width, u16 height, i32 durationMs, std::vector<std::vector<u8>>* frames,
                PagePlacement placement) {
    frames->clear();
    std::vector<Playing> flash = flashOf(page, placement.at, false);
    if (flash.empty() || durationMs <= 0) return kExportOk;
    const std::unique_ptr<PagePicture> beneath = PagePicture::OfPage(page, width, height, kPictureNoMedia, placement);
    if (!beneath) return kExportNoMemory;
    return animate(flash, *beneath, durationMs, frames, [](PagePicture& picture) { return picture.Jpeg(); });
}

i32 AnimateOverMovies(const RPageData& page, u16 width, u16 height, i32 durationMs,
                      std::vector<std::vector<u8>>* frames, PagePlacement placement) {
    frames->clear();
    std::vector<Playing> flash = flashOf(page, placement.at, true);
    if (flash.empty() || durationMs <= 0) return kExportOk;
    // Keyed before any lossy coding: the movie beneath shows exactly where no Flash object draws.
    const std::unique_ptr<PagePicture> uncovered = PagePicture::Blank(width, height, swf::draw::kFlashUncoveredPixel);
    if (!uncovered) return kExportNoMemory;
    return animate(flash, *uncovered, durationMs, frames,
                   [](PagePicture& picture) { return picture.PngLeavingOut(swf::draw::kFlashUncoveredPixel); });
}

}  // namespace Ostrel
