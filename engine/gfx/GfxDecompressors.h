#pragma once
// Decompressor plug-ins: libraries named in the graphics settings that expand engine bitmaps
// stored with the plug-in compression. Each is recorded under its codec name (at most 8
// bytes), newest first. Loaded at graphics start-up, unloaded at shutdown; user-interface
// thread only.
#include <string>

#include "engine/base/EngineTypes.h"

constexpr size_t kGfxCodecNameSize = 8;

// The decode entry a plug-in exports: expands `length` bytes at `data` into `expandedSize`
// bytes at `out` for a picture of the given size, depth and row bytes; 0 on success.
using GfxDecodeEntry = u32 (*)(u8* out, u32 expandedSize, u16 width, u16 height, u16 bitsPerPixel, i16 rowBytes,
                               const u8* data, u32 length, u32 datum);

// Loads the plug-in a settings entry names: `key` is the codec name, `value` a library name,
// optionally followed by one of ",;:" and a number the plug-in is handed. The library is
// looked for by name, then in `programFolder`. False (nothing recorded) when the key is longer
// than 8 characters, the value names no library, or the library or its entry is missing.
bool gfxLoadDecompressor(const std::string& key, const std::string& value, const std::string& programFolder);
void gfxUnloadDecompressors();
// Records a decoder of the program's own under a codec name (at most 8 bytes), newest first,
// until it is unregistered or the plug-ins are unloaded. False for a name too long.
bool gfxRegisterDecompressor(const std::string& key, GfxDecodeEntry decode, u32 datum);
void gfxUnregisterDecompressor(const std::string& key);

struct GfxDecompressor {
    GfxDecodeEntry decode;
    u32 datum;
};
// The plug-in whose codec name equals the 8 bytes at `name`, or null.
const GfxDecompressor* gfxFindDecompressor(const u8* name);
