#include "PlayerHost.h"

#include <cstring>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "media/objects/JpegMarkerScanner.h"
#include "platform/media/JpegCoding.h"

namespace {

// A picture whose tables come apart from it (DefineBits with a JPEGTables tag) as one stream:
// its markers up to the frame, the tables, then the frame and the scan.
bool merge(const u8* tables, u32 tablesSize, const u8* data, u32 dataSize, std::vector<u8>* out) {
    const u32 tablesLength = jpegStreamLength(tables, tablesSize);
    const u32 imageLength = jpegStreamLength(data, dataSize);
    u32 frameAt = 0;
    JpegMarkerScanner scanner(data, imageLength);
    for (i32 c = scanner.next(); c >= 0 && c != kJpegEoi && frameAt == 0; c = scanner.next())
        if (c == kJpegSof0) frameAt = scanner.at();
    if (tablesLength < 4 || imageLength == 0 || frameAt == 0) return false;
    out->assign(data, data + frameAt);
    out->insert(out->end(), tables + 2, tables + tablesLength - 2);
    out->insert(out->end(), data + frameAt, data + imageLength);
    return true;
}

}  // namespace

swf::Result PlayerHost::QueryInterface(const std::type_info& id, void** out) {
    if (swf::SameInterface(id, typeid(swf::i_jpeg))) {
        *out = static_cast<swf::i_jpeg*>(this);
        return swf::kOk;
    }
    if (swf::SameInterface(id, typeid(swf::i_host)) || swf::SameInterface(id, typeid(swf::i_object))) {
        *out = static_cast<swf::i_host*>(this);
        return swf::kOk;
    }
    *out = nullptr;
    return swf::kErrNoInterface;
}

swf::Result PlayerHost::CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source) {
    return sounds_.CreateWavePlay(player, source);
}

swf::Result PlayerHost::Compress(u32, u32&, u8*& data, u32&, const u8*, u32, u32, u32) {
    data = nullptr;
    return swf::kErrNoInterface;
}

swf::Result PlayerHost::GetInfo(i32& width, i32& height, const u8* data, u32 length) {
    plat::media::JpegInfo info;
    if (!data || plat::media::jpegReadInfo(data, length, &info) != 0) return swf::kErrBadData;
    width = info.width;
    height = info.height;
    return swf::kOk;
}

swf::Result PlayerHost::Decompress(u8*& pixels, u32 rowBytes, u32 width, u32 height, const u8* tables,
                                   u32 tablesLength, const u8* data, u32 length) {
    pixels = nullptr;
    std::vector<u8> merged;
    if (!data || (tables && !merge(tables, tablesLength, data, length, &merged))) return swf::kErrBadData;
    if (tables) data = merged.data(), length = u32(merged.size());
    i32 w = 0, h = 0;
    plat::media::PixelBytes rgba;
    if (plat::media::jpegDecodeRgba(data, length, &w, &h, rgba) != 0 || w <= 0 || h <= 0 || width == 0 ||
        height == 0 || u64(rowBytes) < u64(width) * 3 || u64(rowBytes) * height > 0x7FFFFFFF)
        return swf::kErrBadData;
    u8* out = static_cast<u8*>(memAllocPtr(rowBytes * height));
    if (!out) return swf::kErrMemory;
    // The picture stretched to the size asked for (its texture's), each pixel the nearest.
    for (u32 y = 0; y < height; ++y)
        for (u32 x = 0; x < width; ++x) {
            const size_t from = size_t(u64(y) * u32(h) / height) * u32(w) + size_t(u64(x) * u32(w) / width);
            std::memcpy(out + size_t(y) * rowBytes + size_t(x) * 3, &rgba[from * 4], 3);
        }
    pixels = out;
    return swf::kOk;
}
