// Pictures composed into a movie: JPEG bitmaps from the host and the rectangle shapes that
// show them.
#include <cstring>
#include <new>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "media/swf/CharacterIds.h"
#include "media/swf/DataTags.h"
#include "media/swf/FrameTags.h"
#include "media/swf/Interfaces.h"
#include "media/swf/MovieBuilder.h"
#include "media/swf/Records.h"
#include "media/swf/ShapeBlock.h"
#include "media/swf/ShapeTag.h"

namespace swf {

namespace {

constexpr i32 kTwipsPerPixel = 20;
constexpr i32 kPixelToTwips = kTwipsPerPixel << 16;

// Five bits to eight: the high bits repeat in the low ones, so that full stays full.
u8 Expand5(u32 v) { return u8((v << 3) | (v >> 2)); }

}  // namespace

tagDefineBitsJPEG2* MovieBuilder::MakeJPEGBitmap(const u8* rgb, u32 rowBytes, u32 width, u32 height) {
    i_host* host = Host();
    void* face = nullptr;
    if (!host || host->QueryInterface(typeid(i_jpeg), &face) != kOk || !face) {
        Keep(kErrNoInterface);
        return nullptr;
    }
    i_jpeg* jpeg = static_cast<i_jpeg*>(face);
    u32 tableLength = 0, length = 0;
    u8* data = nullptr;
    const Result result = jpeg->Compress(0, tableLength, data, length, rgb, rowBytes, width, height);
    jpeg->Release();
    if (result != kOk || !data) {
        if (data) memFreePtr(data);
        Keep(result != kOk ? result : kErrMemory);
        return nullptr;
    }
    auto* bitmap = new (std::nothrow) tagDefineBitsJPEG2;
    if (!bitmap) {
        memFreePtr(data);
        Keep(kErrMemory);
        return nullptr;
    }
    Block block;
    block.Adopt(data, length);
    bitmap->TakeData(block);
    bitmap->SetImageOffset(tableLength);
    Keep(kOk);
    return bitmap;
}

tagDefineBitsJPEG2* MovieBuilder::MakeJPEGBitmapFrom555(const u16* pixels, u32 rowBytes, u32 width, u32 height) {
    std::vector<u8> rgb;
    try {
        rgb.resize(size_t(width) * height * 3);
    } catch (const std::bad_alloc&) {
        Keep(kErrMemory);
        return nullptr;
    }
    const u8* rows = reinterpret_cast<const u8*>(pixels);
    for (u32 y = 0; y < height; ++y)
        for (u32 x = 0; x < width; ++x) {
            u16 p = 0;
            std::memcpy(&p, rows + size_t(y) * rowBytes + 2 * x, 2);
            u8* out = rgb.data() + (size_t(y) * width + x) * 3;
            out[0] = Expand5((p >> 10) & 31);
            out[1] = Expand5((p >> 5) & 31);
            out[2] = Expand5(p & 31);
        }
    return MakeJPEGBitmap(rgb.data(), width * 3, width, height);
}

Result MakeRectangleShape(Block& out, const Rect& rect, const u8* fillStyle, u32 fillStyleLength) {
    constexpr u32 kFillArray = 6;
    mstream block(64 + fillStyleLength);
    SWF_TRY(block.WriteU16(kFillArray));
    SWF_TRY(block.WriteU16(0));
    SWF_TRY(block.WriteU16(0));
    SWF_TRY(block.WriteU16(1));
    SWF_TRY(block.WriteU16(4));
    SWF_TRY(block.WriteBytes(fillStyleLength, fillStyle));
    block.Align(16);
    const u32 records = block.Position();
    SWF_TRY(block.PatchU16(4, records));
    SWF_TRY(block.WriteU16(shape::kStyleChange | shape::kFillStyle0));
    SWF_TRY(block.WriteU16(shape::kStyleChangeFixedSize));
    SWF_TRY(block.WriteU32(0));
    SWF_TRY(block.WriteU32(0));
    for (u16 style : {u16(1), u16(0), u16(0)}) SWF_TRY(block.WriteU16(style));
    SWF_TRY(block.WriteU32(0));
    const i32 width = rect.xMax - rect.xMin, height = rect.yMax - rect.yMin;
    const i32 edges[4][2] = {{width, 0}, {0, height}, {-width, 0}, {0, -height}};
    for (const auto& edge : edges) {
        SWF_TRY(block.WriteU16(shape::kStraightEdge));
        SWF_TRY(block.WriteU32(u32(edge[0])));
        SWF_TRY(block.WriteU32(u32(edge[1])));
    }
    SWF_TRY(block.WriteU16(shape::kEndRecord));
    out.Take(block);
    return kOk;
}

Result MovieBuilder::AddPicture(const u16* pixels, u32 rowBytes, u32 width, u32 height, const Matrix& matrix, u16 depth) {
    // Bounds in twips must fit the RECT's fields.
    if (width > 0x7FFFFFFF / kTwipsPerPixel || height > 0x7FFFFFFF / kTwipsPerPixel) return Keep(kErrBadData);
    tagDefineBitsJPEG2* bitmap = MakeJPEGBitmapFrom555(pixels, rowBytes, width, height);
    if (!bitmap) return lastError_;
    document& movie = *document_;
    const u16 bitmapId = NextFreeCharacterId(UsedCharacterIds(movie));
    if (bitmapId == 0) {
        delete bitmap;
        return Keep(kErrBadData);
    }
    SetCursorToFrame();
    bitmap->SetCharacterId(bitmapId);
    bitmap->Link(&movie);

    const u16 shapeId = NextFreeCharacterId(UsedCharacterIds(movie));
    if (shapeId == 0) return Keep(kErrBadData);
    mstream fill(64);
    SWF_TRY(Keep(fill.WriteU8(shape::kFillBitmapClipped)));
    SWF_TRY(Keep(fill.WriteU16(bitmapId)));
    Matrix toTwips;
    toTwips.scaleX = toTwips.scaleY = kPixelToTwips;
    SWF_TRY(Keep(PutMatrix(fill, toTwips)));
    u32 fillSize = 0;
    fill.Size(fillSize);
    const Rect bounds{0, 0, i32(width) * kTwipsPerPixel, i32(height) * kTwipsPerPixel};
    Block shapeBlock;
    SWF_TRY(Keep(MakeRectangleShape(shapeBlock, bounds, fill.Buffer(), fillSize)));
    auto* shapeTag = new (std::nothrow) tagDefineShape(kTagDefineShape3);
    auto* place = new (std::nothrow) tagPlaceObject(kTagPlaceObject);
    if (!shapeTag || !place) {
        delete shapeTag;
        delete place;
        return Keep(kErrMemory);
    }
    shapeTag->SetShape(bounds, shapeBlock);
    shapeTag->SetCharacterId(shapeId);
    shapeTag->Link(&movie);
    place->flags = kPlaceHasCharacter | kPlaceHasMatrix;
    place->characterId = shapeId;
    place->depth = depth;
    place->matrix = matrix;
    place->Link(&movie);
    if (depth == 0) {
        pictureShape_ = shapeTag;
        pictureBitmapId_ = bitmapId;
    }
    RaiseVersion(kComposedMovieVersion);
    return Keep(kOk);
}

}  // namespace swf
