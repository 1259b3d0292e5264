#include "media/export/PageFlashExport.h"

#include <memory>

#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "engine/base/MemoryHandles.h"
#include "engine/util/PolyBuf.h"
#include "media/export/ExportFiles.h"
#include "media/export/PagePicture.h"
#include "media/objects/SwfHost.h"
#include "media/quicktime/TwipsRects.h"
#include "media/swf/Movie.h"
#include "media/swf/MovieBuilder.h"
#include "media/swf/PlacementMatrix.h"

namespace Ostrel {

namespace {

const std::vector<u8>& mediaOf(const RPageObject& object) {
    return static_cast<const RMediaFilePageObject&>(object).media;
}

// One Flash object merged as a sprite at `depth`, scaled from its movie's frame to its place.
i32 mergeFlash(swf::MovieBuilder& builder, const RPageObject& object, u16 depth) {
    const std::vector<u8>& bytes = mediaOf(object);
    auto copy = std::make_unique<swf::document>();
    if (bytes.empty() || bytes.size() > 0xFFFFFFFFu ||
        swf::LoadMovieFromMemory(*copy, bytes.data(), u32(bytes.size())) != swf::kOk)
        return kExportFailed;
    const swf::Rect frame = copy->frameRect;
    const i32 frameWidth = frame.xMax - frame.xMin, frameHeight = frame.yMax - frame.yMin;
    if (frameWidth <= 0 || frameHeight <= 0) return kExportFailed;
    double scaleX = double(object.rect.right - object.rect.left) / (double(frameWidth) / kTwipsPerPixel);
    double scaleY = double(object.rect.bottom - object.rect.top) / (double(frameHeight) / kTwipsPerPixel);
    if (object.option & kFlashFlipHorizontal) scaleX = -scaleX;
    if (object.option & kFlashFlipVertical) scaleY = -scaleY;
    swf::Matrix matrix;
    swf::PlacementMatrix(matrix, frame, object.rect.left * kTwipsPerPixel, object.rect.top * kTwipsPerPixel, 0.0,
                         scaleX, scaleY);
    return builder.MergeMovie(std::move(copy), matrix, depth) == swf::kOk ? kExportOk : kExportFailed;
}

}  // namespace

bool FlashFrameOfCanvas(const MovieExportCanvas& canvas, swf::Rect* frame) {
    if (canvas.width <= 2 || canvas.height <= 1) return false;
    *frame = swf::Rect{0, 0, (canvas.width - 2) * kTwipsPerPixel, (canvas.height - 1) * kTwipsPerPixel};
    return true;
}

i32 composePageFlash(const RPageData& page, const MovieExportCanvas& canvas, std::vector<u8>* movie) {
    swf::Rect frame;
    if (!FlashFrameOfCanvas(canvas, &frame)) return kExportFailed;
    // Each animation plays once, as its sprite; the movies show in the picture at their first
    // picture, as the page shows a movie that has not been played.
    std::unique_ptr<PagePicture> picture = PagePicture::OfPage(page, canvas.width, canvas.height, kPictureMovies);
    if (!picture) return kExportNoMemory;
    // The picture's JPEG coding is the host's: the program's own unless one is installed.
    if (!swf::Host()) swf::SetHost(&host);
    swf::MovieBuilder builder(frame);
    // The picture covers the canvas; its texts, pictures and movies are in it.
    swf::Matrix placement;
    const swf::Rect pictureRect{0, 0, picture->Width() * kTwipsPerPixel, picture->Height() * kTwipsPerPixel};
    swf::PlacementMatrix(placement, pictureRect, 0, 0, 0.0, 1.0, 1.0);
    const PixelView& pixels = picture->Pixels();
    // Rows top first, as the builder reads them, in an engine block that the buffer frees
    // however the export ends.
    const size_t width = size_t(picture->Width()), rowsSize = width * 2 * size_t(picture->Height());
    if (rowsSize > 0xFFFFFFFFu) return kExportNoMemory;
    // A handle that could not be had (0) gives no block when locked.
    const memHandle handle = memAllocHandle(u32(rowsSize));
    std::unique_ptr<PolyBufMemH> rows(new (std::nothrow) PolyBufMemH(handle));
    if (!rows) {
        memFreeHandle(handle);
        return kExportNoMemory;
    }
    auto* row = static_cast<u16*>(rows->Lock());
    if (!row) return kExportNoMemory;
    for (i32 y = 0; y < picture->Height(); ++y)
        std::copy(pixels.Row(y), pixels.Row(y) + width, row + ptrdiff_t(y) * ptrdiff_t(width));
    const swf::Result added =
        builder.AddPicture(row, u32(width) * 2, picture->Width(), picture->Height(), placement, 0);
    rows->Unlock();
    if (added != swf::kOk) return kExportFailed;
    u16 depth = 1;
    u32 it = 0;
    RPageObject* object = nullptr;
    while (page.NextObjectSkipFlagged(&it, &object, fourCC("??PO"))) {
        i32 err = kExportOk;
        if (object->Type() == kTypeFlash || object->Type() == kTypeFlashAnimation) {
            err = mergeFlash(builder, *object, depth++);
        } else if (object->Type() == kTypeSound) {
            // Each sound object adds its own wave.
            const std::vector<u8>& wave = mediaOf(*object);
            if (wave.empty() || builder.AddSound(wave.data(), u32(wave.size())) != swf::kOk) err = kExportFailed;
        }
        if (err) return err;
    }
    return swf::SaveMovieToMemory(builder.Document(), *movie) == swf::kOk ? kExportOk : kExportFailed;
}

i32 exportPageFlash(const RPageData& page, const MovieExportCanvas& canvas, const std::string& target) {
    std::vector<u8> movie;
    if (const i32 err = composePageFlash(page, canvas, &movie)) return err;
    return exportWriteFile(exportTargetName(target, "swf"), movie);
}

}  // namespace Ostrel
