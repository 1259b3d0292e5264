#pragma once
// A page whose Flash objects play while it shows: the pictures of the page one after the
// other, each with every Flash object at the frame it has reached at that picture's time (as
// the page plays them: from their first frame, each at its own rate). User-interface thread.
#include <vector>

#include "document/pages/RPageData.h"
#include "media/export/PagePicture.h"

namespace Ostrel {

// The shortest time a picture of an animated page shows: at most 30 pictures a second.
constexpr i32 kAnimationFrameMsMin = 33;

// The pictures (JPEG streams) of `durationMs` of the page, of the canvas's size, the i-th of n
// at durationMs x i / n, n as many as the fastest Flash object needs (at most one picture per
// kAnimationFrameMsMin). None when no Flash object of the page can be played. kExportNoMemory
// when a picture cannot be made. The placement puts the page in a larger picture.
i32 AnimatePage(const RPageData& page, u16 width, u16 height, i32 durationMs, std::vector<std::vector<u8>>* frames,
                PagePlacement placement = {});
// The pictures, timed as AnimatePage's, of the page's Flash objects that lie above one of its
// movies (after it in page order; still ones too) alone, as PNG streams transparent wherever
// they draw nothing, which the movie export lays over the movies. None when no Flash object
// lies above a movie.
i32 AnimateOverMovies(const RPageData& page, u16 width, u16 height, i32 durationMs,
                      std::vector<std::vector<u8>>* frames, PagePlacement placement = {});

}  // namespace Ostrel
