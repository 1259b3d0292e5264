#include "media/objects/MovieFirstFrame.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "media/quicktime/QtMovieEditing.h"
#include "media/quicktime/QtMovies.h"
#include "media/objects/StoredMovie.h"
#include "media/quicktime/QtRuntime.h"

namespace pm = plat::media;

namespace {

u8* rowOf(const GfxPixelDescriptor& target, i32 y, i32 height) {
    return target.rowStep >= 0 ? target.base + y * target.rowStep : target.base + (height - 1 - y) * -target.rowStep;
}

}  // namespace

EngineErr PaintMovieFirstFrame(const GfxPixelDescriptor& target, const Ostrel::RMediaFilePageObject& object,
                               const Rect16& place) {
    const i32 width = i32(place.right) - place.left, height = i32(place.bottom) - place.top;
    if (width <= 0 || height <= 0 || target.depth != 16 || !target.base) return kDocErrBadRect;
    MrMovie* movie = nullptr;
    if (OpenPageMovie(object, &movie) != 0) return kDocErrNotReadable;
    MrRect box{};
    qtGetMovieBox(movie, &box);
    if (box.right <= box.left || box.bottom <= box.top) {
        qtDisposeMovie(movie);
        return kDocErrNotReadable;
    }
    // The movie draws its picture at the place's size into pixels of its own.
    std::vector<u8> pixels(size_t(width) * size_t(height) * 2);
    const pm::MrRect bounds{0, 0, i16(height), i16(width)};
    MrWorld* world = nullptr;
    if (qtNewWorldOverMemory(&world, pm::kMrFormatL555, &bounds, pixels.data(), width * 2) != 0) {
        qtDisposeMovie(movie);
        return kDocErrNotReadable;
    }
    qtSetMovieBox(movie, &bounds);
    qtSetMovieWorld(movie, world);
    qtSetMovieActive(movie, 1);
    qtSetMovieTimeValue(movie, 0);
    const MrErr drawn = qtMoviesTask(movie, 0);
    qtSetMovieWorld(movie, nullptr);
    qtDisposeWorld(world);
    qtDisposeMovie(movie);
    if (drawn != 0) return kDocErrNotReadable;

    const i32 portWidth = target.bounds.right - target.bounds.left;
    const i32 portHeight = target.bounds.bottom - target.bounds.top;
    const i32 x0 = std::max<i32>(place.left, 0), x1 = std::min<i32>(place.right, portWidth);
    const i32 y0 = std::max<i32>(place.top, 0), y1 = std::min<i32>(place.bottom, portHeight);
    for (i32 y = y0; y < y1; ++y)
        if (x1 > x0)
            std::memcpy(rowOf(target, y, portHeight) + 2 * x0, pixels.data() + (size_t(y - place.top) * width + (x0 - place.left)) * 2,
                        size_t(x1 - x0) * 2);
    return kErrNone;
}
