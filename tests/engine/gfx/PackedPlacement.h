#pragma once
// Where drawing packed rows into an 8- or 16-bit store must put each place, found the plain
// way: every run the walk reports is placed pixel by pixel, mirrored and flipped as asked and
// cut to the clip rectangle and the store. Transparent places (16-bit gaps, repeated index 0 of
// 8-bit rows in transparent mode) keep the store's value. The tests and the fuzz target hold
// the offscreen ports' writers to it.
#include <algorithm>
#include <vector>

#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PackedPixels.h"

struct PackedDrawing {
    Point16 at;
    Rect16 clip;
    u16 mode;
    u16 flags;
};

// `store` holds the store's rows top first, `storeWidth` places a row; false when the walk
// found the rows damaged (the runs before the damage are placed).
inline bool placePackedByTheWalk(std::vector<u8>& store, u16 storeWidth, u16 storeHeight, const std::vector<u8>& data,
                                 u16 width, u16 height, bool words, const PackedDrawing& d) {
    const size_t place = words ? 2 : 1;
    const i32 left = std::max<i32>(d.clip.left, 0), right = std::min<i32>(d.clip.right, storeWidth);
    const i32 top = std::max<i32>(d.clip.top, 0), bottom = std::min<i32>(d.clip.bottom, storeHeight);
    auto visit = [&](const GfxPackedRun& run) {
        if (run.transparent || (!words && d.mode == kGfxModeTransparent && run.repeat && run.colours[0] == 0)) return;
        for (u32 i = 0; i < run.count && run.x + i < width; ++i) {
            const u32 column = run.x + i;
            const i32 x = d.at.h + i32(d.flags & kGfxCopyMirror ? width - 1 - column : column);
            const i32 y = d.at.v + i32(d.flags & kGfxCopyFlip ? height - 1 - run.row : run.row);
            if (x < left || x >= right || y < top || y >= bottom) continue;
            const u16 colour = run.colourAt(i, words);
            u8* to = store.data() + (size_t(y) * storeWidth + size_t(x)) * place;
            to[0] = u8(colour);
            if (words) to[1] = u8(colour >> 8);
        }
    };
    return words ? gfxWalkPacked16(data.data(), data.size(), height, visit)
                 : gfxWalkPacked8(data.data(), data.size(), height, visit);
}
