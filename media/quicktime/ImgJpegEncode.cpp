// Pictures into JPEG picture blocks: from pixel maps, ports and picture files.
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "framework/alerts/ShowAlert.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/JpegPictureBlock.h"
#include "media/quicktime/QtRects.h"
#include "platform/files/Files.h"
#include "platform/media/ImageDescription.h"

namespace {

namespace pm = plat::media;

// Saves a pixel map's lock state and locks it; restores the state when it was locked.
class QTPixelsLock {
public:
    explicit QTPixelsLock(MrPixMap* map) : map_(map), saved_(qtPixelsState(map)), locked_(qtLockPixels(map) != 0) {}
    ~QTPixelsLock() {
        if (locked_) qtSetPixelsState(map_, saved_);
    }
    bool locked() const { return locked_; }

private:
    MrPixMap* map_;
    u32 saved_;
    bool locked_;
};

// Disposes of a runtime handle when one is held.
class QTHandleHolder {
public:
    explicit QTHandleHolder(MrHandle* handle) : handle_(handle) {}
    ~QTHandleHolder() {
        if (handle_) qtDisposeHandle(handle_);
    }
    MrHandle* get() const { return handle_; }

private:
    MrHandle* handle_;
};

memHandle newClearedHandle(u64 size) {
    if (size > 0xFFFFFFFFu) return 0;
    const memHandle handle = memAllocHandle(u32(size));
    if (!handle) return 0;
    if (void* data = memLockHandle(handle)) {
        memFill(data, 0, u32(size));
        return handle;
    }
    memFreeHandle(handle);
    return 0;
}

memHandle compressRaw(MrPixMap* map) {
    QTPixelsLock lock(map);
    if (!lock.locked()) return 0;
    const u8* first = qtPixelBase(map);
    if (!first) return 0;
    const i32 width = pm::widthOf(map->bounds), height = pm::heightOf(map->bounds);
    const u32 rowBytes = u32(map->rowBytes) & 0x7FFF;
    // The header keeps 16-bit sizes; a map whose rows are wider than its row bytes is not copied.
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF ||
        u64(width) * u64(map->depth) > u64(rowBytes) * 8)
        return 0;
    // Every byte is written below: the header, then whole rows.
    const u64 size = u64(height) * rowBytes + kRawBlockHeaderSize;
    const memHandle handle = size <= 0xFFFFFFFFu ? memAllocHandle(u32(size)) : 0;
    u8* block = handle ? static_cast<u8*>(memLockHandle(handle)) : nullptr;
    if (!block) {
        if (handle) memFreeHandle(handle);
        return 0;
    }
    for (i32 y = 0; y < height; ++y)
        std::memcpy(block + kRawBlockHeaderSize + size_t(y) * rowBytes, first + i64(y) * map->rowBytes, rowBytes);
    imgWriteRawHeader(block, u16(width), u16(height), u16(rowBytes), u16(map->depth));
    memUnlockHandle(handle);
    return handle;
}

u32 runtimePixelFormat(u16 depth) {
    switch (depth) {
        case 16: return pm::kMrFormatL555;
        case 24: return pm::kMrFormatBgr24;
        case 32: return pm::kMrFormatBgra32;
        default: return 0;
    }
}

}  // namespace

std::string imgRuntimePath(const std::string& path) {
    if (path.empty() || path.size() > kImgMaxPath) return {};
    const std::string host = plat::hostPathOfText(path);
    return host.empty() ? path : host;
}

memHandle qtCompressToJPEG(MrPixMap* map, u32* totalSize, i16 quality) {
    if (!map || !qtConnected()) return 0;
    if (quality == kImgRawQuality) return compressRaw(map);
    const pm::MrRect bounds = map->bounds;
    i32 maxSize = 0;
    const MrErr sizeResult =
        qtMaxCompressionSize(map, &bounds, map->depth, u16(quality), pm::kMrCodecJpeg, i32(kImgCodecChoice), &maxSize);
    if (sizeResult == pm::kMrNoCodec) {
        ShowAlert(kImgNoCompressorText, nullptr, kImgNoCompressorAlertStyle);
        return 0;
    }
    if (sizeResult != 0 || maxSize <= 0) return 0;
    const i32 width = pm::widthOf(bounds), height = pm::heightOf(bounds);
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return 0;
    const memHandle handle = newClearedHandle(u64(maxSize) + kJpegBlockHeaderSize);
    if (!handle) return 0;
    u8* block = static_cast<u8*>(memDerefHandle(handle));
    QTHandleHolder description(qtNewHandle(pm::kMrImageDescriptionSize));
    MrErr result = description.get() ? 0 : pm::kMrMemFullErr;
    u32 streamSize = 0;
    if (result == 0) {
        QTPixelsLock lock(map);
        result = lock.locked() ? qtCompressImage(map, &bounds, map->depth, u16(quality), pm::kMrCodecJpeg,
                                                 i32(kImgCodecChoice), kImgCompressFlags, description.get(),
                                                 block + kJpegBlockHeaderSize, u32(maxSize))
                               : pm::kMrParamErr;
        if (result == 0)
            streamSize = readBE32(qtHandleData(description.get()) + plat::media::kImageDescriptionDataSizeOffset);
    }
    // A stream longer than the room given, or empty, is no stream we keep.
    if (result != 0 || streamSize == 0 || streamSize > u32(maxSize) ||
        !imgWriteJPEGHeader(block, u16(width), u16(height), u16(map->depth), streamSize, "jpeg")) {
        memUnlockHandle(handle);
        memFreeHandle(handle);
        return 0;
    }
    const u32 total = streamSize + kJpegBlockHeaderSize;
    if (totalSize) *totalSize = total;
    memUnlockHandle(handle);
    memResizeHandle(handle, total);
    return handle;
}

memHandle imgFileToJPEG(const std::string& path, u32* totalSize, Rect16* bounds) {
    const std::string runtimePath = imgRuntimePath(path);
    if (runtimePath.empty()) return 0;
    MrImporter* importer = nullptr;
    memHandle result = 0;
    pm::MrRect natural{};
    if (qtOpenImporter(runtimePath.c_str(), &importer) == 0 && qtImporterNaturalBounds(importer, &natural) == 0) {
        if (bounds) QTRectToRect(natural, bounds);
        MrWorld* world = nullptr;
        if (qtNewWorld(&world, 0, &natural) == 0) {
            if (qtImporterSetWorld(importer, world) == 0 && qtImporterDraw(importer) == 0)
                result = qtCompressToJPEG(qtWorldPixMap(world), totalSize, i16(kImgDefaultQuality));
            qtDisposeWorld(world);
        }
    }
    qtCloseImporter(importer);
    return result;
}

std::unique_ptr<ImgPortWorld> imgStretchToDIB(GfxPort* port, const Rect16& destination, const Rect16* source,
                                              u16 bitCount) {
    const u32 format = runtimePixelFormat(bitCount);
    const i16 width = i16(destination.right - destination.left), height = i16(destination.bottom - destination.top);
    if (!port || !format || width <= 0 || height <= 0 || !qtConnected()) return nullptr;
    GfxPort* previous = gfxGetPort();
    gfxSetPort(port);
    Rect16 from{};
    if (source) from = *source;
    else gfxGetPortRect(&from);
    GfxPort* copy = gfxNewOffscreenPort(u16(width), u16(height), bitCount, gfxGetPortPalette());
    if (!copy) {
        gfxSetPort(previous);
        return nullptr;
    }
    auto result = std::make_unique<ImgPortWorld>();
    const i32 rowBytes = pm::paddedRowBytes(width, bitCount);
    result->rows.assign(size_t(rowBytes) * size_t(height), 0);
    gfxLockPort(port);
    gfxLockPort(copy);
    EngineErr error = gfxCopyBits(copy, port, Rect16{0, 0, width, height}, from, 0);
    GfxPixelDescriptor pixels{};
    gfxSetPort(copy);
    if (error == kErrNone) error = gfxLockPortBits(&pixels);
    if (error == kErrNone) {
        for (i32 y = 0; y < height; ++y) {
            const u8* row = pixels.rowStep > 0 ? pixels.base + i64(y) * pixels.rowStep
                                               : pixels.base + i64(height - 1 - y) * -i64(pixels.rowStep);
            u8* out = result->rows.data() + size_t(y) * size_t(rowBytes);
            std::memcpy(out, row, size_t(width) * (bitCount / 8));
        }
        gfxUnlockPortBits(&pixels);
    }
    gfxSetPort(previous);
    gfxUnlockPort(copy);
    gfxUnlockPort(port);
    gfxDisposePort(copy);
    const pm::MrRect bounds{0, 0, height, width};
    if (error != kErrNone || qtNewWorldOverMemory(&result->world, format, &bounds, result->rows.data(), rowBytes) != 0)
        return nullptr;
    return result;
}

memHandle imgBitmapToJPEG(GfxPort* source, const Rect16* sourceRect, const Rect16& destination, u32* totalSize,
                          u16 quality, u16 depth) {
    const Rect16 size{0, 0, i16(destination.right - destination.left), i16(destination.bottom - destination.top)};
    auto world = imgStretchToDIB(source, size, sourceRect, depth);
    if (!world) return 0;
    const memHandle result = qtCompressToJPEG(qtWorldPixMap(world->world), totalSize,
                                              i16(quality ? quality : kImgDefaultQuality));
    return result;
}
