#pragma once
// Small routines the page media and the exports share: keying a colour to transparent in a
// 32-bit picture, length-prefixed copies of names, the callbacks that do nothing or copy one
// word, the drawing origin of a media object, and a configuration value set with one retry.
// User-interface thread only.
#include "engine/base/EngineTypes.h"
#include "engine/util/CfgItem.h"

class RBMP;

// The colour that becomes transparent, and what it becomes; every other pixel turns opaque.
constexpr u32 kKeyColour = 0x71CE3900;
constexpr u32 kKeyedTransparent = 0xFFFFFF00;
constexpr size_t kPascalNameMax = 255;

// A 32-bit picture in memory: the pixels, the row bytes (the whole stride, however wide the
// picture) and its rectangle in the order top, left, bottom, right.
struct KeyedPixelMap {
    u8* pixels = nullptr;
    u32 rowBytes = 0;
    i16 top = 0, left = 0, bottom = 0, right = 0;
};

// Pixels are 32-bit words in the machine's order.
void MakeKeyColourTransparent(KeyedPixelMap* map);

// The result (a length byte, then the characters) and the zero-terminated text it copies.
struct PascalName {
    u8* result = nullptr;
    const char* text = nullptr;
};
// Names longer than kPascalNameMax characters keep their first kPascalNameMax.
void PascalNameMake(PascalName* name);
void PascalNameFree(PascalName* name);

u16 NoOpCallback(void* a, void* b, void* c, void* d);
u16 ValueCopyCallback(const u16* from, u16* to);
void MediaSetOrigin(RBMP* object, i32 x, i32 y);
// The value set without writing; set once more when the first call returns 0.
EngineErr CfgLongSetValueWithRetry(CFG_LONG& item, i32 value);
