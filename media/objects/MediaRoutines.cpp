#include "media/objects/MediaRoutines.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "media/objects/RBMP.h"

void MakeKeyColourTransparent(KeyedPixelMap* map) {
    if (!map || !map->pixels) return;
    const u32 rowBytes = map->rowBytes;
    const i32 width = i32(map->right) - map->left, height = i32(map->bottom) - map->top;
    // Rows narrower than the rectangle are not walked past their end.
    if (width <= 0 || height <= 0 || u64(width) * 4 > rowBytes) return;
    for (i32 y = 0; y < height; ++y) {
        u8* row = map->pixels + size_t(y) * rowBytes;
        for (i32 x = 0; x < width; ++x) {
            u32 pixel;
            std::memcpy(&pixel, row + 4 * size_t(x), 4);
            pixel = pixel == kKeyColour ? kKeyedTransparent : pixel | 0xFF;
            std::memcpy(row + 4 * size_t(x), &pixel, 4);
        }
    }
}

void PascalNameMake(PascalName* name) {
    if (!name || !name->text) return;
    const size_t length = std::min(std::strlen(name->text), kPascalNameMax);
    name->result = new (std::nothrow) u8[length + 1];
    if (!name->result) return;
    name->result[0] = u8(length);
    std::memcpy(name->result + 1, name->text, length);
}

void PascalNameFree(PascalName* name) {
    if (!name) return;
    delete[] name->result;
    name->result = nullptr;
}

u16 NoOpCallback(void*, void*, void*, void*) { return 0; }

u16 ValueCopyCallback(const u16* from, u16* to) {
    *to = *from;
    return 0;
}

void MediaSetOrigin(RBMP* object, i32 x, i32 y) {
    if (object) object->SetOrigin(x, y);
}

EngineErr CfgLongSetValueWithRetry(CFG_LONG& item, i32 value) {
    const EngineErr first = item.SetValue(value, 0);
    return first == 0 ? item.SetValue(value, 0) : first;
}
