#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprShapeState.h"
#include "engine/gfx/sprites/format/ShapeErrors.h"
#include "engine/gfx/sprites/format/ShapeGroupFormat.h"

namespace {

constexpr u32 kPurgeEverything = 0xFFFFFFFFu;
constexpr u32 kPurgeContext = 1;
constexpr int kAttempts = 3;

enum class Attempt { Loaded, Missing, Refused };

// Expands a compressed group into a new block of exactly its size, which then takes the place
// of the stored one; the stored block is left as it was when the stream is refused.
EngineErr expandGroup(memHandle handle) {
    const u8* stored = static_cast<const u8*>(memDerefHandle(handle));
    ShapeGroupStream stream{};
    EngineErr error = shapeGroupReadStream({stored, u32(memGetHandleSize(handle))}, &stream);
    if (error != kErrNone) return error;
    const u32 size = kShapeGroupHeaderSize + stream.decodedSize;
    const memHandle expanded = memAllocHandle(size);
    if (expanded == 0) return memGetLastError();
    // Allocating may have moved the unlocked stored block.
    stored = static_cast<const u8*>(memDerefHandle(handle));
    error = shapeGroupExpand({stored, u32(memGetHandleSize(handle))}, stream,
                             {static_cast<u8*>(memDerefHandle(expanded)), size});
    if (error == kErrNone) error = memSwapHandles(handle, expanded);
    memFreeHandle(expanded);
    return error;
}

EngineErr prepareGroup(memHandle handle) {
    const u8* b = static_cast<const u8*>(memDerefHandle(handle));
    const u32 size = u32(memGetHandleSize(handle));
    if (!b || size < kShapeGroupHeaderSize) return kShapeErrDamagedGroup;
    if (shapeGroupIsCompressed({b, size})) return expandGroup(handle);
    if (!(readBE16(b + kShapeGroupFlagsField) & kGfxFormatCompressionMask)) return kErrNone;
    // Stored with a picture compression: expanded like a picture, after making room once.
    EngineErr error = sprPreparePicture(handle);
    if (error != kErrNone) {
        memPurgeSpace(kPurgeEverything, kPurgeContext);
        error = sprPreparePicture(handle);
    }
    return error;
}

// Puts the frame table and the 16-bit pixels of every frame into machine order; a frame whose
// pixels do not fit the group refuses the whole group.
EngineErr convertFrames(std::span<u8> group) {
    EngineErr error = shapeGroupConvertTable(group);
    if (error != kErrNone) return error;
    for (u16 i = 1; i <= shapeGroupFrameCount(group); ++i) {
        std::span<u8> frame = shapeGroupFrame(group, i);
        const u16 format = readBE16(frame.data() + 6);
        if ((format & kGfxFormatDepthMask) != 3 || (format & kGfxFormatMachineOrder)) continue;
        const u16 packing = format & kGfxFormatPackingMask;
        if (packing == 0 || packing == kGfxFormatPacked16) {
            if (!gfxPrepareBitmapWords(frame.data(), u32(frame.size()))) return kShapeErrDamagedGroup;
        } else {
            writeBE16(frame.data() + 6, format | kGfxFormatMachineOrder);
        }
    }
    return kErrNone;
}

Attempt loadOnce(u16 groupId, ResourceRef* ref, u8** data) {
    bool fresh = false;
    const memHandle handle = sprLoadResource(kSprGroupType, groupId, ref, &fresh);
    if (handle == 0) return sprSetError(resGetLastError()), Attempt::Missing;
    const u16 purgeable = memSetHandlePurgeable(handle, 0);
    EngineErr error = fresh ? prepareGroup(handle) : kErrNone;
    memSetHandlePurgeable(handle, purgeable == 1 ? 1 : 0);
    if (error != kErrNone) {
        sprDropResource(ref);
        return sprSetError(error), Attempt::Refused;
    }
    SprHeld held = sprLockResource(*ref);
    if (!held.data) {
        sprDropResource(ref);
        return sprSetError(memGetLastError()), Attempt::Refused;
    }
    if (fresh) {
        error = convertFrames({held.data, held.size});
        if (error != kErrNone) {
            sprReleaseResource(ref);
            return sprSetError(error), Attempt::Refused;
        }
    }
    *data = held.data;
    sprSetError(kErrNone);
    return Attempt::Loaded;
}

}  // namespace

u8* sprLoadGroupData(u16 groupId, ResourceRef* ref) {
    const SprShapeHooks& hooks = sprShapeTables().hooks;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        u8* data = nullptr;
        const Attempt result = loadOnce(groupId, ref, &data);
        if (result == Attempt::Loaded) return data;
        // A damaged or undecodable group stays so however often it is read.
        if (result == Attempt::Refused) return nullptr;
        if (attempt == 0 && hooks.freeSoundChannels) hooks.freeSoundChannels();
        if (attempt == 1) sprRelockShapes();
    }
    return nullptr;
}
