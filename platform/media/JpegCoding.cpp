#include "platform/media/JpegCoding.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <functional>
#include <iterator>
#include <new>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/media/MediaWorld.h"
#include "platform/media/PixelRows.h"

namespace plat::media {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void failJump(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings are silent, except the end of data: a stream cut short is refused rather than
// completed with grey rows.
void quietMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) failJump(cinfo);
}

void installErrors(ErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = failJump;
    errors.pub.emit_message = quietMessage;
}

struct DecodeJob {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    J_COLOR_SPACE outSpace = JCS_RGB;
    int outBytes = 3;
    // Told the picture's size; false stops decoding with kMrParamErr.
    std::function<bool(int32_t width, int32_t height, int components)> onHeader;
    // Where row y goes in the output space, or null to skip the row.
    std::function<uint8_t*(int32_t y)> rowPointer;
    std::function<void(int32_t y)> afterRow;
    std::vector<uint8_t> cmykRow;
    std::vector<uint8_t> discardRow;
};

// Adobe writes CMYK inverted; libjpeg hands the stored values back, so ink 255 means none.
void cmykToOutput(const uint8_t* cmyk, uint8_t* out, int32_t width, J_COLOR_SPACE space, int outBytes) {
    for (int32_t x = 0; x < width; ++x, cmyk += 4, out += outBytes) {
        const uint32_t k = cmyk[3];
        const uint8_t r = uint8_t(cmyk[0] * k / 255), g = uint8_t(cmyk[1] * k / 255), b = uint8_t(cmyk[2] * k / 255);
        if (space == JCS_EXT_BGR || space == JCS_EXT_BGRA) out[0] = b, out[1] = g, out[2] = r;
        else out[0] = r, out[1] = g, out[2] = b;
        if (outBytes == 4) out[3] = 255;
    }
}

// The only frame that holds the decoder state; it owns no C++ object, so that a jump from
// libjpeg's error handler skips no destructor.
MrErr runDecode(DecodeJob& job) {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = &errors.pub;
    installErrors(errors);
    MrErr result = kMrBadFormat;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return result;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, job.data, job.size);
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (cinfo.num_components != 1 && cinfo.num_components != 3 && !cmyk) {
        jpeg_destroy_decompress(&cinfo);
        return kMrBadFormat;
    }
    if (uint64_t(cinfo.image_width) * cinfo.image_height > kMaxJpegPixels) {
        jpeg_destroy_decompress(&cinfo);
        return kMrMemFullErr;
    }
    cinfo.out_color_space = cmyk ? JCS_CMYK : job.outSpace;
    cinfo.dct_method = JDCT_ISLOW;
    if (!job.onHeader(int32_t(cinfo.image_width), int32_t(cinfo.image_height), cinfo.num_components)) {
        jpeg_destroy_decompress(&cinfo);
        return kMrParamErr;
    }
    if (cmyk) job.cmykRow.resize(size_t(cinfo.image_width) * 4);
    job.discardRow.resize(size_t(cinfo.image_width) * 4);
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int32_t y = int32_t(cinfo.output_scanline);
        // Rows outside the destination still pass through the decoder, into a discarded row.
        uint8_t* target = job.rowPointer(y);
        JSAMPROW row = cmyk ? job.cmykRow.data() : target ? target : job.discardRow.data();
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (!target) continue;
        if (cmyk) cmykToOutput(row, target, int32_t(cinfo.image_width), job.outSpace, job.outBytes);
        if (job.afterRow) job.afterRow(y);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return kMrNoErr;
}

struct EncodeJob {
    const MrPixMap* map = nullptr;
    int32_t top = 0;   // the first row and column in the map
    int32_t left = 0;
    int32_t width = 0;
    int32_t height = 0;
    int quality = 75;
    J_COLOR_SPACE space = JCS_UNKNOWN;  // of the rows handed over (inputSpaceOf)
    size_t pixelBytes = 0;
    std::vector<uint32_t> rgbx;  // a converted row, when the world's own is not handed over
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
};

// The colour space of the rows the coder is handed: 24- and 32-bit worlds' own rows, read in
// place; the others as four-byte pixels (16-bit rows widened in one pass).
J_COLOR_SPACE inputSpaceOf(uint32_t pixelFormat) {
    switch (pixelFormat) {
        case kMrFormatRgb24: return JCS_RGB;
        case kMrFormatBgr24: return JCS_EXT_BGR;
        case kMrFormatBgra32: return JCS_EXT_BGRX;
        default: return JCS_EXT_RGBX;
    }
}

MrErr runEncode(EncodeJob& job) {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    cinfo.err = &errors.pub;
    installErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return kMrBadFormat;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &job.out, &job.outSize);
    cinfo.image_width = JDIMENSION(job.width);
    cinfo.image_height = JDIMENSION(job.height);
    cinfo.input_components = job.space == JCS_EXT_BGRX || job.space == JCS_EXT_RGBX ? 4 : 3;
    cinfo.in_color_space = job.space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job.quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int32_t y = job.top + int32_t(cinfo.next_scanline);
        uint8_t* own = job.map->base + int64_t(y) * job.map->rowBytes + size_t(job.left) * job.pixelBytes;
        JSAMPROW row = own;
        if (job.space == JCS_EXT_RGBX) {
            row = reinterpret_cast<JSAMPROW>(job.rgbx.data());
            if (job.map->pixelFormat == kMrFormatL555) unpack555ToRgbx(own, job.width, job.rgbx.data());
            else readRowRgba(*job.map, y, job.left, job.width, row);
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return kMrNoErr;
}

// Rows that we read back right after the decoder wrote them are kept off 16-byte alignment:
// libjpeg-turbo writes aligned rows with non-temporal stores, which leave them out of the cache.
constexpr size_t kRowSkew = 4;

bool insideMap(const MrPixMap& map, const MrRect& r) {
    return r.left >= map.bounds.left && r.top >= map.bounds.top && r.right <= map.bounds.right &&
           r.bottom <= map.bounds.bottom && r.left < r.right && r.top < r.bottom;
}

}  // namespace

int libjpegQuality(uint32_t quality) {
    // Anchors of the runtime's scale: minimum, low, normal, high, max, lossless.
    static constexpr struct { uint32_t at; int q; } kAnchors[] = {
        {0x000, 25}, {0x100, 50}, {0x200, 75}, {0x300, 85}, {0x3FF, 95}, {0x400, 100}};
    if (quality >= 0x400) return 100;
    for (size_t i = 1; i < std::size(kAnchors); ++i) {
        if (quality <= kAnchors[i].at) {
            const auto& a = kAnchors[i - 1];
            const auto& b = kAnchors[i];
            return a.q + int((quality - a.at) * uint32_t(b.q - a.q) / (b.at - a.at));
        }
    }
    return 100;
}

uint32_t jpegMaxCompressedSize(int32_t width, int32_t height) {
    // The coder works on whole 16 x 16 blocks, so a narrow or short picture codes the pixels of
    // its padding too; at quality 100 noise takes up to six bytes a pixel. Tables and markers
    // stay under 4 KB.
    const uint64_t paddedWidth = (uint64_t(width) + 15) / 16 * 16, paddedHeight = (uint64_t(height) + 15) / 16 * 16;
    return uint32_t(std::min<uint64_t>(paddedWidth * paddedHeight * 6 + 4096, UINT32_MAX));
}

MrErr jpegCompress(const MrPixMap& map, const MrRect& bounds, uint32_t quality, std::vector<uint8_t>& out) {
    if (!map.base || !insideMap(map, bounds)) return kMrParamErr;
    EncodeJob job;
    job.map = &map;
    job.top = bounds.top - map.bounds.top;
    job.left = bounds.left - map.bounds.left;
    job.width = widthOf(bounds);
    job.height = heightOf(bounds);
    job.quality = libjpegQuality(quality);
    job.space = inputSpaceOf(map.pixelFormat);
    job.pixelBytes = size_t(bitsOfFormat(map.pixelFormat) / 8);
    if (job.space == JCS_EXT_RGBX) job.rgbx.resize(size_t(job.width));
    const MrErr err = runEncode(job);
    if (err == kMrNoErr) out.assign(job.out, job.out + job.outSize);
    std::free(job.out);
    return err;
}

MrErr jpegReadInfo(const uint8_t* data, uint32_t size, JpegInfo* info) {
    if (!data || !info) return kMrParamErr;
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = &errors.pub;
    installErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return kMrBadFormat;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    info->width = int32_t(cinfo.image_width);
    info->height = int32_t(cinfo.image_height);
    info->components = cinfo.num_components;
    jpeg_destroy_decompress(&cinfo);
    return kMrNoErr;
}

MrErr jpegDecompress(const uint8_t* data, uint32_t size, MrPixMap& map, const MrRect& source,
                     const MrRect& destination) {
    if (!data || !map.base || !bitsOfFormat(map.pixelFormat)) return kMrParamErr;
    const int32_t dstW = widthOf(destination), dstH = heightOf(destination);
    const int32_t srcW = widthOf(source), srcH = heightOf(source);
    if (dstW <= 0 || dstH <= 0 || srcW <= 0 || srcH <= 0) return kMrParamErr;
    DecodeJob job;
    job.data = data;
    job.size = size;
    int32_t imageWidth = 0;
    const bool straight = srcW == dstW && srcH == dstH;
    const bool direct = straight && (map.pixelFormat == kMrFormatBgr24 || map.pixelFormat == kMrFormatBgra32 ||
                                     map.pixelFormat == kMrFormatRgb24);
    if (map.pixelFormat == kMrFormatBgr24) job.outSpace = JCS_EXT_BGR;
    if (map.pixelFormat == kMrFormatBgra32) job.outSpace = JCS_EXT_BGRA, job.outBytes = 4;
    if (!direct) job.outSpace = JCS_RGB, job.outBytes = 3;
    // 16-bit worlds take four-byte pixels, which pack into words faster than three-byte ones.
    const bool packed555 = straight && map.pixelFormat == kMrFormatL555;
    if (packed555) job.outSpace = JCS_EXT_RGBX, job.outBytes = 4;
    std::vector<uint8_t> picture;  // the whole decoded picture, for the scaling path
    std::vector<uint8_t> scratch;  // one full row, for the straight paths
    std::vector<uint32_t> rgbxRow;  // the 16-bit straight path: four-byte pixels, then words
    std::vector<uint16_t> wordRow;
    job.onHeader = [&](int32_t w, int32_t h, int) {
        imageWidth = w;
        if (source.left < 0 || source.top < 0 || source.right > w || source.bottom > h) return false;
        try {
            if (straight) scratch.resize(size_t(w) * 4 + kRowSkew), rgbxRow.resize(size_t(w) + 1), wordRow.resize(size_t(w));
            else picture.resize(size_t(w) * size_t(h) * 3);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    };
    // Map rows that a picture row lands on in the straight paths.
    auto mapRow = [&](int32_t y) { return destination.top + (y - source.top) - map.bounds.top; };
    const int32_t clipLeft = std::max<int32_t>(destination.left, map.bounds.left);
    const int32_t clipRight = std::min<int32_t>(destination.right, map.bounds.right);
    job.rowPointer = [&](int32_t y) -> uint8_t* {
        if (!straight) return picture.data() + size_t(y) * size_t(imageWidth) * 3;
        if (y < source.top || y >= source.bottom) return nullptr;
        const int32_t row = mapRow(y);
        if (row < 0 || row >= heightOf(map.bounds)) return nullptr;
        if (direct && source.left == 0 && srcW == imageWidth && destination.left == map.bounds.left &&
            destination.right <= map.bounds.right)
            return map.base + int64_t(row) * map.rowBytes;
        return packed555 ? reinterpret_cast<uint8_t*>(rgbxRow.data() + 1) : scratch.data() + kRowSkew;
    };
    job.afterRow = [&](int32_t y) {
        if (!straight) return;
        const int32_t row = mapRow(y);
        if (clipLeft >= clipRight) return;
        const int32_t skip = clipLeft - destination.left;
        const int32_t x0 = clipLeft - map.bounds.left;
        const int32_t count = clipRight - clipLeft;
        if (packed555) {
            // Words go straight into the row when it is aligned for them, else through a copy.
            uint8_t* out = map.base + int64_t(row) * map.rowBytes + 2 * x0;
            if (reinterpret_cast<uintptr_t>(out) % alignof(uint16_t) == 0) {
                packRgbxTo555(rgbxRow.data() + 1 + source.left + skip, count, reinterpret_cast<uint16_t*>(out));
            } else {
                packRgbxTo555(rgbxRow.data() + 1 + source.left + skip, count, wordRow.data());
                std::memcpy(out, wordRow.data(), size_t(count) * 2);
            }
            return;
        }
        if (job.rowPointer(y) != scratch.data() + kRowSkew) return;
        const uint8_t* from = scratch.data() + kRowSkew + size_t(source.left + skip) * job.outBytes;
        if (job.outSpace == JCS_RGB) writeRowRgb(map, row, x0, count, from);
        else std::memcpy(map.base + int64_t(row) * map.rowBytes + x0 * job.outBytes, from, size_t(count) * job.outBytes);
    };
    const MrErr err = runDecode(job);
    if (err != kMrNoErr || straight) return err;
    // Scaling path: each destination pixel takes the source pixel under its centre.
    std::vector<uint8_t> rgb(size_t(std::max(clipRight - clipLeft, 0)) * 3);
    const int32_t top = std::max<int32_t>(destination.top, map.bounds.top);
    const int32_t bottom = std::min<int32_t>(destination.bottom, map.bounds.bottom);
    for (int32_t y = top; y < bottom; ++y) {
        const int32_t sy = source.top + int32_t((int64_t(y - destination.top) * srcH) / dstH);
        const uint8_t* srcRow = picture.data() + size_t(sy) * size_t(imageWidth) * 3;
        for (int32_t x = clipLeft; x < clipRight; ++x) {
            const int32_t sx = source.left + int32_t((int64_t(x - destination.left) * srcW) / dstW);
            std::memcpy(&rgb[size_t(x - clipLeft) * 3], srcRow + size_t(sx) * 3, 3);
        }
        if (clipRight > clipLeft) writeRowRgb(map, y - map.bounds.top, clipLeft - map.bounds.left, clipRight - clipLeft, rgb.data());
    }
    return kMrNoErr;
}

MrErr jpegDecodeRgba(const uint8_t* data, uint32_t size, int32_t* width, int32_t* height, PixelBytes& rgba) {
    DecodeJob job;
    job.data = data;
    job.size = size;
    job.outSpace = JCS_EXT_RGBA;
    job.outBytes = 4;
    int32_t w = 0;
    job.onHeader = [&](int32_t iw, int32_t ih, int) {
        try {
            rgba.resize(size_t(iw) * size_t(ih) * 4);
        } catch (const std::bad_alloc&) {
            return false;
        }
        w = iw, *width = iw, *height = ih;
        return true;
    };
    job.rowPointer = [&](int32_t y) { return rgba.data() + size_t(y) * size_t(w) * 4; };
    return runDecode(job);
}

}  // namespace plat::media
