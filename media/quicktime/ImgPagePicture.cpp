// Picture files into page pictures.
#include "media/quicktime/ImgPagePicture.h"

#include <cstring>

#include "document/import/FileImport.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "engine/base/ByteOrder.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/JpegPictureBlock.h"
#include "platform/gdi/Color.h"

EngineErr imgPictureOfRawBlock(const u8* block, u32 size, PictureRecord* picture) {
    if (size < kRawBlockHeaderSize) return kDocErrTruncated;
    const u16 width = readBE16(block), height = readBE16(block + 2), rowBytes = readBE16(block + 4);
    if (width == 0 || height == 0 || width > kPictureMaxSide || height > kPictureMaxSide || rowBytes < u32(width) * 2)
        return kDocErrBadSize;
    if (u64(rowBytes) * height > size - kRawBlockHeaderSize) return kDocErrTruncated;
    picture->width = width;
    picture->height = height;
    picture->mask.clear();
    picture->pixels.resize(size_t(width) * height * 4);
    u8* out = picture->pixels.data();
    for (u32 y = 0; y < height; ++y) {
        const u8* row = block + kRawBlockHeaderSize + size_t(y) * rowBytes;
        for (u32 x = 0; x < width; ++x, out += 4) {
            u16 word = 0;
            std::memcpy(&word, row + x * 2, 2);
            const plat::gdi::Rgb rgb = plat::gdi::rgbFrom555(word);
            out[0] = rgb.red, out[1] = rgb.green, out[2] = rgb.blue, out[3] = 0xFF;
        }
    }
    return kErrNone;
}

namespace {

bool isEmpty(const Rect16& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

EngineErr imgImportFileToPicture(const std::string& path, const Ostrel::PageRect& target, u32 mode,
                                 PictureRecord* picture, Ostrel::PageRect* placed) {
    const i32 width = i32(target.right) - target.left, height = i32(target.bottom) - target.top;
    if (width <= 0 || height <= 0 || width > kPictureMaxSide || height > kPictureMaxSide) return kDocErrBadSize;
    const Rect16 area{0, 0, i16(width), i16(height)};
    Rect16 fitted{}, placement{};
    const memHandle block = imgImportFileToBitmap(path, nullptr, 0, &fitted, area, &placement, mode, nullptr);
    if (!block) return kDocErrNotReadable;
    // The block becomes its raw picture in place.
    EngineErr err = kDocErrNotReadable;
    if (imgDecodeJPEGHandleInPlace(block)) {
        const i32 size = memGetHandleSize(block);
        if (const u8* raw = static_cast<const u8*>(memLockHandle(block))) {
            err = size < 0 ? kDocErrTruncated : imgPictureOfRawBlock(raw, u32(size), picture);
            memUnlockHandle(block);
        }
    }
    memFreeHandle(block);
    if (err) return err;
    // A fitted picture tells where it lies through its picture rectangle alone; the others lie
    // at their own size from the placed corner (a natural-sized one is not stretched over
    // the target: only one too big for it was drawn at the target's size).
    const Rect16 at = isEmpty(placement) ? fitted
                                         : Rect16{placement.left, placement.top, i16(placement.left + picture->width),
                                                  i16(placement.top + picture->height)};
    *placed = {i16(target.left + at.left), i16(target.top + at.top), i16(target.left + at.right),
               i16(target.top + at.bottom)};
    return kErrNone;
}

EngineErr imgReadPictureFile(const std::string& path, const Ostrel::PageRect& target, u32 mode, PictureRecord* picture,
                             Ostrel::PageRect* placed) {
    return imgImportFileToPicture(path, target, mode == Ostrel::kPlaceAsReaderDoes ? kImgPlaceCentre : mode, picture,
                                  placed);
}
