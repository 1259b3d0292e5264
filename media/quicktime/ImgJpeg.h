#pragma once
// JPEG picture blocks made from ports, offscreen worlds and picture files, and turned back
// into raw picture blocks or drawn onto ports, all through the media runtime. Every routine
// returns 0 (no handle) on failure and frees what it allocated; without the runtime every
// one of them fails quietly. imgExpandPictureHandle is the one entry through which loaders
// expand a stored picture. User-interface thread only.
#include <memory>
#include <string>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPort.h"
#include "media/quicktime/QtRuntime.h"

// Quality -1 asks qtCompressToJPEG for a raw picture block instead of JPEG.
constexpr i16 kImgRawQuality = -1;
constexpr u16 kImgDefaultQuality = 0x400;
constexpr u32 kImgCodecChoice = u32(-3);
constexpr u32 kImgCompressFlags = 0x10;
// Paths are handed to the runtime as length-prefixed strings of at most this many bytes.
constexpr size_t kImgMaxPath = 255;
constexpr const char* kImgNoCompressorText = "Can't find QuickTime's JPEG compressor.";
constexpr u32 kImgNoCompressorAlertStyle = 0x8004;

// A world over a copy of part of a port, stretched to the destination's size; it owns its
// rows and disposes of the world with itself.
struct ImgPortWorld {
    std::vector<u8> rows;
    MrWorld* world = nullptr;
    ~ImgPortWorld() { qtReleaseIfSet(world); }
};

memHandle qtCompressToJPEG(MrPixMap* map, u32* totalSize, i16 quality);
memHandle imgFileToJPEG(const std::string& path, u32* totalSize, Rect16* bounds);
memHandle imgBitmapToJPEG(GfxPort* source, const Rect16* sourceRect, const Rect16& destination, u32* totalSize,
                          u16 quality, u16 depth);
// Depths 16, 24 and 32; null on failure. The current port is left as it was.
std::unique_ptr<ImgPortWorld> imgStretchToDIB(GfxPort* port, const Rect16& destination, const Rect16* source,
                                              u16 bitCount);
// With port 0: a new raw picture block of 16-bit pixels. With a port: 0, the picture drawn at
// `destination` of the port. `size` bytes are readable at `block`.
memHandle imgDecodeJPEG(const u8* block, u32 size, GfxPort* port, const Rect16& destination, const Rect16& source);
memHandle imgDecodeJPEGData(const u8* block, u32 size, GfxPort* port, const Rect16& rect);
memHandle imgDecodeJPEGHandle(memHandle handle, GfxPort* port, const Rect16& rect);
memHandle imgDecodeJPEGHandleInPlace(memHandle handle);
memHandle imgExpandPictureHandle(memHandle handle);

// Lets the graphics engine expand JPEG picture blocks itself (loaders that call it directly)
// at the depth their header names, and the sprite layer decode its shapes' JPEG pictures;
// installed while the runtime is connected.
void imgInstallJpegDecompressor();
void imgRemoveJpegDecompressor();

// The host path of an engine path text, or empty when it is longer than kImgMaxPath.
std::string imgRuntimePath(const std::string& path);
