#include "document/storage/PictureRecord.h"

#include "document/storage/ByteWriter.h"
#include "document/storage/StorageErrors.h"

namespace {

bool sidesFit(u16 width, u16 height) {
    return width >= 1 && height >= 1 && width <= kPictureMaxSide && height <= kPictureMaxSide;
}

}  // namespace

EngineErr parsePictureRecord(std::span<const u8> bytes, bool withMask, PictureRecord* picture) {
    ByteReader in(bytes);
    const u16 version = in.u16be();
    PictureRecord read;
    read.width = in.u16be();
    read.height = in.u16be();
    if (!in.ok()) return kDocErrTruncated;
    if (version != kPictureRecordVersion) return kDocErrVersion;
    if (!sidesFit(read.width, read.height)) return kDocErrBadSize;
    const size_t area = size_t(read.width) * read.height;
    const size_t need = area * 4 + (withMask ? area : 0);
    if (in.left() < need) return kDocErrTruncated;
    if (in.left() > need) return kDocErrTrailing;
    auto pixels = in.bytes(area * 4);
    read.pixels.assign(pixels.begin(), pixels.end());
    if (withMask) {
        auto mask = in.bytes(area);
        read.mask.assign(mask.begin(), mask.end());
    }
    *picture = std::move(read);
    return kErrNone;
}

EngineErr writePictureRecord(const PictureRecord& picture, bool withMask, std::vector<u8>* bytes) {
    if (!sidesFit(picture.width, picture.height)) return kDocErrBadSize;
    const size_t area = size_t(picture.width) * picture.height;
    if (picture.pixels.size() != area * 4 || picture.mask.size() != (withMask ? area : 0)) return kDocErrBadSize;
    ByteWriter out(bytes);
    bytes->reserve(6 + picture.pixels.size() + picture.mask.size());
    out.u16be(kPictureRecordVersion);
    out.u16be(picture.width);
    out.u16be(picture.height);
    out.bytes(picture.pixels);
    out.bytes(picture.mask);
    return kErrNone;
}
