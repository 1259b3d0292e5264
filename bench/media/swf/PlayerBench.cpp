// Playing 1000 frames of a movie that moves 200 objects every frame, beside a naive display
// list (a std::map from depth to object) fed the same placements straight from the tags. Both
// check that every object ended up where the last frame put it.
#include <benchmark/benchmark.h>

#include <map>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "media/swf/FrameTags.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/Movie.h"
#include "media/swf/Player.h"
#include "media/swf/Records.h"
#include "media/swf/Tag.h"

namespace {

using Bytes = std::vector<u8>;

constexpr u16 kObjects = 200;
constexpr u16 kFrames = 1000;

void AppendTag(Bytes& out, u16 code, const Bytes& body) {
    u8 header[6];
    writeLE16(header, u16((code << 6) | 63));
    writeLE32(header + 2, u32(body.size()));
    out.insert(out.end(), header, header + 6);
    out.insert(out.end(), body.begin(), body.end());
}

Bytes Place(u16 depth, u16 id, i32 x, i32 y) {
    swf::mstream body(32);
    body.WriteU8(u8(0x04 | (id ? 0x02 : 0x01)));
    body.WriteU16(depth);
    if (id) body.WriteU16(id);
    swf::Matrix m;
    m.translateX = x;
    m.translateY = y;
    swf::WriteMatrix(body, m);
    body.Align(8);
    u32 size = 0;
    body.Size(size);
    return Bytes(body.Buffer(), body.Buffer() + size);
}

// Four shapes; frame 1 places 200 objects, every later frame moves each of them.
Bytes MovingMovie() {
    Bytes tags;
    for (u16 id = 1; id <= 4; ++id) AppendTag(tags, swf::kTagDefineShape, {u8(id), 0, 0x10, 0x00, 0, 0, 0x00, 0x00});
    for (u16 f = 0; f < kFrames; ++f) {
        for (u16 d = 1; d <= kObjects; ++d) AppendTag(tags, swf::kTagPlaceObject2, Place(d, f == 0 ? u16(1 + d % 4) : 0, f * 3 + d, f - d));
        AppendTag(tags, swf::kTagShowFrame, {});
    }
    Bytes out{'F', 'W', 'S', 6, 0, 0, 0, 0, 0x10, 0x00, 0x00, 12, u8(kFrames), u8(kFrames >> 8)};
    out.insert(out.end(), tags.begin(), tags.end());
    out.push_back(0);
    out.push_back(0);
    writeLE32(out.data() + 4, u32(out.size()));
    return out;
}

bool LastFrameShown(const std::map<u16, swf::Matrix>& shown) {
    if (shown.size() != kObjects) return false;
    for (const auto& [depth, m] : shown)
        if (m.translateX != (kFrames - 1) * 3 + depth) return false;
    return true;
}

void BM_PlayerAdvance1000Frames(benchmark::State& state) {
    const Bytes bytes = MovingMovie();
    swf::document movie;
    if (swf::LoadMovieFromMemory(movie, bytes.data(), u32(bytes.size())) != swf::kOk) state.SkipWithError("load");
    for (auto _ : state) {
        swf::player p(movie, nullptr);
        for (u16 f = 0; f < kFrames; ++f) p.AdvanceFrame();
        std::map<u16, swf::Matrix> shown;
        swf::NameTree& list = p.DisplayList();
        for (u32 at = list.First(); at != swf::kNoEntry; at = list.Entry(at).next) shown[list.Entry(at).depth] = list.Entry(at).matrix;
        if (!LastFrameShown(shown)) state.SkipWithError("wrong display list");
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_PlayerAdvance1000Frames)->Unit(benchmark::kMillisecond);

struct NaiveEntry {
    u16 character = 0;
    swf::Matrix matrix;
};

void BM_NaiveMapDisplayList(benchmark::State& state) {
    const Bytes bytes = MovingMovie();
    swf::document movie;
    if (swf::LoadMovieFromMemory(movie, bytes.data(), u32(bytes.size())) != swf::kOk) state.SkipWithError("load");
    for (auto _ : state) {
        std::map<u16, NaiveEntry> list;
        for (swf::tag* t = movie.FirstTag(); t; t = t->Next()) {
            if (t->Code() != swf::kTagPlaceObject2) continue;
            auto* place = static_cast<swf::tagPlaceObject*>(t);
            NaiveEntry& e = list[place->depth];
            if (place->flags & swf::kPlaceHasCharacter) e.character = place->characterId;
            if (place->flags & swf::kPlaceHasMatrix) e.matrix = place->matrix;
        }
        std::map<u16, swf::Matrix> shown;
        for (const auto& [depth, e] : list) shown[depth] = e.matrix;
        if (!LastFrameShown(shown)) state.SkipWithError("wrong display list");
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_NaiveMapDisplayList)->Unit(benchmark::kMillisecond);

}  // namespace
