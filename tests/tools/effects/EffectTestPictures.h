#pragma once
// The pictures the effect tests start from and the sheet their goldens are laid out on: a
// picture with a colour ramp, a sky band, a red disc and black lines, so that colour changes,
// reliefs, outlines and distortions all show; and a sheet that lays equal pictures in rows.
#include <cstring>
#include <vector>

#include "tests/tools/ToolTestSupport.h"

namespace effecttest {

constexpr i16 kW = 64, kH = 48;

inline void paintScene(const PixelView& view) {
    for (i32 y = 0; y < view.height; ++y)
        for (i32 x = 0; x < view.width; ++x) {
            u16 p = rgb555FromChannels(u32(x * 31 / std::max<i32>(view.width - 1, 1)), u32(y * 31 / std::max<i32>(view.height - 1, 1)), 12);
            if (y < view.height / 4) p = rgb555(120, 190, 250);
            const i32 dx = x - view.width * 2 / 3, dy = y - view.height / 2;
            if (dx * dx + dy * dy < (view.height / 4) * (view.height / 4)) p = rgb555(230, 30, 40);
            if (x % 16 == 5 || y == view.height * 3 / 4) p = 0;
            view.Row(y)[x] = p;
        }
}

// Pictures laid left to right, `columns` to a row, on a grey sheet.
class Sheet {
public:
    Sheet(i32 count, i32 columns, i16 width = kW, i16 height = kH)
        : columns_(columns), width_(width), height_(height),
          sheet_(i16(columns * (width + 2)), i16((count + columns - 1) / columns * (height + 2)), rgb555(128, 128, 128)) {}
    void Place(i32 index, const PixelView& picture) {
        const i32 left = index % columns_ * (width_ + 2) + 1, top = index / columns_ * (height_ + 2) + 1;
        for (i32 y = 0; y < picture.height; ++y)
            std::memcpy(sheet_.view.Row(top + y) + left, picture.Row(y), size_t(picture.width) * sizeof(u16));
    }
    const PixelView& View() const { return sheet_.view; }

private:
    i32 columns_;
    i16 width_;
    i16 height_;
    tooltest::Picture sheet_;
};

// Undoes the last stroke of the easel's tool manager.
inline void undo(tooltest::Easel& easel) {
    Ostrel::RMessage message(kPaintUndoCode, 0, 0);
    easel.mgr.HandleMessage(&message, 0);
}

}  // namespace effecttest
