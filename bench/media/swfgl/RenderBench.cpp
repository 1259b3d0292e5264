// An 800 x 600 frame of 200 round shapes (eight curves each, filled and outlined) drawn by
// swf::player::Render: replayed from the compiled drawings the renderer keeps, beside the same
// frame tessellated again every time (the compiled drawings dropped before each frame). Both
// check the colour at a shape's centre.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/Movie.h"
#include "media/swf/Player.h"
#include "media/swf/Records.h"
#include "media/swf/TagCodes.h"
#include "platform/gdi/DeviceContext.h"

namespace {

using Bytes = std::vector<u8>;

constexpr i32 kWidth = 800, kHeight = 600, kTwips = 20;
constexpr u16 kShapes = 200;

void AppendTag(Bytes& out, u16 code, swf::mstream& body) {
    u32 size = 0;
    body.Size(size);
    u8 header[6];
    writeLE16(header, u16((code << 6) | 63));
    writeLE32(header + 2, size);
    out.insert(out.end(), header, header + 6);
    out.insert(out.end(), body.Buffer(), body.Buffer() + size);
}

u8 RedOf(u16 id) { return u8(40 + id); }

// A circle of radius r around (cx, cy) in eight quadratic curves, fill style 1 and line style 1.
void AppendShape(Bytes& tags, u16 id, i32 cx, i32 cy, i32 r) {
    swf::mstream body(256);
    body.WriteU16(id);
    swf::WriteRect(body, swf::Rect{cx - r, cy - r, cx + r, cy + r});
    body.Align(8);
    for (u8 b : {u8(1), u8(0x00), RedOf(id), u8(90), u8(200), u8(255)}) body.WriteU8(b);  // one solid fill
    for (u8 b : {u8(1), u8(30), u8(0), u8(0), u8(0), u8(0), u8(255)}) body.WriteU8(b);    // one line, 30 twips
    body.WriteBits(4, 1);
    body.WriteBits(4, 1);
    body.WriteBits(1, 0);
    body.WriteBits(5, 0x01 | 0x04 | 0x08);  // move, fill 1, line
    body.WriteBits(5, 20);
    body.WriteBits(20, u32(cx + r));
    body.WriteBits(20, u32(cy));
    body.WriteBits(1, 1);
    body.WriteBits(1, 1);
    const double step = M_PI / 4, k = 1 / std::cos(step / 2);
    i32 px = cx + r, py = cy;
    for (int i = 0; i < 8; ++i) {
        const double mid = step * i + step / 2, end = step * (i + 1);
        const i32 qx = cx + i32(r * k * std::cos(mid)), qy = cy + i32(r * k * std::sin(mid));
        const i32 ex = cx + i32(r * std::cos(end)), ey = cy + i32(r * std::sin(end));
        body.WriteBits(1, 1);
        body.WriteBits(1, 0);
        body.WriteBits(4, 15);
        for (i32 v : {qx - px, qy - py, ex - qx, ey - qy}) body.WriteBits(17, u32(v));
        px = ex;
        py = ey;
    }
    body.WriteBits(1, 0);
    body.WriteBits(5, 0);
    body.Align(8);
    AppendTag(tags, swf::kTagDefineShape3, body);
}

Bytes FrameOf200Shapes() {
    Bytes tags;
    for (u16 id = 1; id <= kShapes; ++id) {
        const i32 column = (id - 1) % 20, row = (id - 1) / 20;
        AppendShape(tags, id, (column * 40 + 20) * kTwips, (row * 60 + 30) * kTwips, 18 * kTwips);
        swf::mstream place(16);
        place.WriteU8(0x02);
        place.WriteU16(id);
        place.WriteU16(id);
        AppendTag(tags, swf::kTagPlaceObject2, place);
    }
    swf::mstream empty(4);
    AppendTag(tags, swf::kTagShowFrame, empty);
    swf::mstream header(32);
    for (u8 b : {u8('F'), u8('W'), u8('S'), u8(6), u8(0), u8(0), u8(0), u8(0)}) header.WriteU8(b);
    swf::WriteRect(header, swf::Rect{0, 0, kWidth * kTwips, kHeight * kTwips});
    header.Align(8);
    header.WriteU16(12 << 8);
    header.WriteU16(1);
    u32 size = 0;
    header.Size(size);
    Bytes out(header.Buffer(), header.Buffer() + size);
    out.insert(out.end(), tags.begin(), tags.end());
    out.insert(out.end(), {0, 0});
    writeLE32(out.data() + 4, u32(out.size()));
    return out;
}

void RenderFrames(benchmark::State& state, bool retessellate) {
    const Bytes bytes = FrameOf200Shapes();
    swf::document movie;
    if (swf::LoadMovieFromMemory(movie, bytes.data(), u32(bytes.size())) != swf::kOk) {
        state.SkipWithError("load");
        return;
    }
    swf::player player(movie, nullptr);
    player.AdvanceFrame();
    auto picture = plat::gdi::Surface::create(kWidth, kHeight, 16);
    auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *picture);
    GLBitmapRenderer renderer(16);
    if (renderer.Attach(dc.get(), kWidth, kHeight, 0, 0, kWidth, kHeight) != kGlOk) {
        state.SkipWithError("attach");
        return;
    }
    renderer.SetView(GlViewRect{0, 0, kWidth * kTwips, kHeight * kTwips});
    for (auto _ : state) {
        if (retessellate) renderer.DropAll();
        if (player.Render(renderer, 0) != swf::kOk) state.SkipWithError("render");
    }
    // Shape 21 is centred at (20, 90).
    const u16 expected = u16(((RedOf(21) >> 3) << 10) | ((90 >> 3) << 5) | (200 >> 3));
    if (picture->pixel(20, 90) != expected) state.SkipWithError("wrong pixel");
}

void BM_RenderReplayedFromCache(benchmark::State& state) { RenderFrames(state, false); }
void BM_RenderTessellatedEveryFrame(benchmark::State& state) { RenderFrames(state, true); }

BENCHMARK(BM_RenderReplayedFromCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderTessellatedEveryFrame)->Unit(benchmark::kMillisecond);

}  // namespace
