// Loading a movie from memory (5 MB, and sizes from 64 KB to 50 MB for the load's curve), in MB/s, beside a plain copy of the same bytes and a plain
// parse of its bit fields (every tag header and every shape record read, nothing kept). The
// load checks that it made every tag of the movie, the parse that it found every edge.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "media/swf/Document.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/Movie.h"
#include "media/swf/Records.h"
#include "media/swf/Tag.h"
#include "media/swf/TagCodes.h"

namespace {

using Bytes = std::vector<u8>;

constexpr size_t kMovieSize = 5 * 1024 * 1024;
constexpr int kEdgesPerShape = 300;

Bytes Contents(swf::mstream& s) {
    u32 size = 0;
    s.Size(size);
    const u8* data = s.Buffer();
    return Bytes(data, data + size);
}

void AppendTag(Bytes& out, u16 code, const Bytes& body) {
    u8 header[6];
    writeLE16(header, u16((code << 6) | 63));
    writeLE32(header + 2, u32(body.size()));
    out.insert(out.end(), header, header + 6);
    out.insert(out.end(), body.begin(), body.end());
}

// A shape with one fill, one line and a few hundred edges, as drawn shapes come.
Bytes ShapeBody(u16 id) {
    swf::mstream s(4096);
    s.WriteU16(id);
    swf::WriteRect(s, swf::Rect{-4000, -4000, 4000, 4000});
    s.Align(8);
    s.WriteU8(1);
    s.WriteU8(0);
    s.WriteRGB(swf::Rgba{200, 30, 30, 255}, false);
    s.WriteU8(1);
    s.WriteU16(20);
    s.WriteRGB(swf::Rgba{0, 0, 0, 255}, false);
    s.WriteBits(4, 1);
    s.WriteBits(4, 1);
    s.WriteBits(1, 0);
    s.WriteBits(5, 0x0B);  // move, fill 0, line
    s.WriteBits(5, 14);
    s.WriteBits(14, u32(-3000));
    s.WriteBits(14, u32(-3000));
    s.WriteBits(1, 1);
    s.WriteBits(1, 1);
    for (int edge = 0; edge < kEdgesPerShape; ++edge) {
        const i32 dx = (edge * 37) % 200 - 100, dy = (edge * 53) % 180 - 90;
        s.WriteBits(1, 1);
        if (edge % 3 == 0) {
            s.WriteBits(1, 0);  // curve, 10-bit deltas
            s.WriteBits(4, 8);
            for (i32 v : {dx, dy, dy, dx}) s.WriteBits(10, u32(v));
        } else {
            s.WriteBits(1, 1);  // general line
            s.WriteBits(4, 8);
            s.WriteBits(1, 1);
            s.WriteBits(10, u32(dx));
            s.WriteBits(10, u32(dy));
        }
    }
    s.WriteBits(6, 0);
    s.Align(8);
    return Contents(s);
}

Bytes PlaceBody(u16 id, u16 depth) {
    swf::mstream s(64);
    s.WriteU8(0x06);
    s.WriteU16(depth);
    s.WriteU16(id);
    swf::WriteMatrix(s, swf::Matrix{0x18000, 0, 0, 0x18000, 400, 300});
    s.Align(8);
    return Contents(s);
}

Bytes BuildMovie(size_t size) {
    Bytes tags;
    for (u16 id = 1; tags.size() < size; ++id) {
        AppendTag(tags, swf::kTagDefineShape, ShapeBody(id));
        AppendTag(tags, swf::kTagPlaceObject2, PlaceBody(id, 1));
        AppendTag(tags, swf::kTagShowFrame, {});
    }
    const u8 header[] = {'F', 'W', 'S', 6, 0, 0, 0, 0, 0x10, 0x00, 0x00, 0x0C, 0xFF, 0xFF};
    Bytes movie(sizeof header + tags.size() + 2, 0);
    std::memcpy(movie.data(), header, sizeof header);
    std::memcpy(movie.data() + sizeof header, tags.data(), tags.size());
    writeLE32(movie.data() + 4, u32(movie.size()));
    return movie;
}

const Bytes& Movie(size_t size = kMovieSize) {
    static std::map<size_t, Bytes> movies;
    Bytes& movie = movies[size];
    if (movie.empty()) movie = BuildMovie(size);
    return movie;
}

constexpr u32 kTagsPerShape = 3;

// The number of shapes BuildMovie put in the movie: its tags all have the long header.
u32 ShapesIn(const Bytes& movie) {
    u32 shapes = 0;
    for (size_t at = 14; at + 6 <= movie.size(); at += 6 + readLE32(&movie[at + 2]))
        shapes += (readLE16(&movie[at]) >> 6) == swf::kTagDefineShape;
    return shapes;
}

// Bits of a big-endian bit string, the plain way: one 64-bit load per field.
class PlainBits {
public:
    explicit PlainBits(const u8* data) : data_(data) {}
    u32 Bits(u32 count) {
        u64 word;
        std::memcpy(&word, data_ + bit_ / 8, 8);
        word = __builtin_bswap64(word) << (bit_ % 8);
        bit_ += count;
        return count ? u32(word >> (64 - count)) : 0;
    }
    i32 Signed(u32 count) {
        const u32 bits = Bits(count);
        return count && (bits & (1u << (count - 1))) ? i32(bits | (~0u << count)) : i32(bits);
    }
    void Skip(u32 bits) { bit_ += bits; }
    void AlignByte() { bit_ = (bit_ + 7) / 8 * 8; }
    u64 Bit() const { return bit_; }

private:
    const u8* data_;
    u64 bit_ = 0;
};

// Reads a shape body as ShapeBody lays it out: the edges are counted, their deltas summed.
u32 ParseShapeRecords(PlainBits& in, i64& sum) {
    u32 edges = 0;
    const u32 rectBits = in.Bits(5);
    in.Skip(4 * rectBits);
    in.AlignByte();
    in.Skip(8 + 8 + 24 + 8 + 16 + 24);  // fill count, solid fill, line count, one line
    const u32 fillBits = in.Bits(4), lineBits = in.Bits(4);
    for (;;) {
        if (in.Bits(1)) {
            const bool straight = in.Bits(1);
            const u32 bits = in.Bits(4) + 2;
            if (straight) {
                const bool general = in.Bits(1);
                const bool vertical = general ? false : in.Bits(1);
                if (general || !vertical) sum += in.Signed(bits);
                if (general || vertical) sum += in.Signed(bits);
            } else {
                for (int i = 0; i < 4; ++i) sum += in.Signed(bits);
            }
            ++edges;
            continue;
        }
        const u32 flags = in.Bits(5);
        if (flags == 0) return edges;
        if (flags & 0x01) {
            const u32 bits = in.Bits(5);
            sum += in.Signed(bits) + in.Signed(bits);
        }
        if (flags & 0x02) in.Skip(fillBits);
        if (flags & 0x04) in.Skip(fillBits);
        if (flags & 0x08) in.Skip(lineBits);
    }
}

void BM_LoadMovieFromMemory(benchmark::State& state) {
    const Bytes& movie = Movie(size_t(state.range(0)));
    // The tags are counted in a load of their own: walking a large movie's tags misses the
    // cache at every one, a cost of the check rather than of the load.
    {
        swf::document doc;
        u32 tags = 0;
        if (swf::LoadMovieFromMemory(doc, movie.data(), u32(movie.size())) == swf::kOk)
            for (swf::tag* t = doc.FirstTag(); t; t = t->Next()) ++tags;
        if (tags < ShapesIn(movie) * kTagsPerShape) state.SkipWithError("the loaded movie lacks tags");
    }
    for (auto _ : state) {
        swf::document doc;
        if (swf::LoadMovieFromMemory(doc, movie.data(), u32(movie.size())) != swf::kOk) {
            state.SkipWithError("movie did not load");
            break;
        }
    }
    state.SetBytesProcessed(i64(state.iterations()) * i64(movie.size()));
}
BENCHMARK(BM_LoadMovieFromMemory)->Arg(64 << 10)->Arg(1 << 20)->Arg(kMovieSize)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

void BM_MemcpySameBytes(benchmark::State& state) {
    const Bytes& movie = Movie();
    Bytes copy(movie.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), movie.data(), movie.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(i64(state.iterations()) * i64(movie.size()));
}
BENCHMARK(BM_MemcpySameBytes)->Unit(benchmark::kMillisecond);

void BM_PlainBitFieldParse(benchmark::State& state) {
    const Bytes& movie = Movie();
    const u32 shapes = ShapesIn(movie);
    Bytes padded(movie);
    padded.resize(movie.size() + 8);  // the last field's 64-bit load stays inside
    for (auto _ : state) {
        u32 edges = 0;
        i64 sum = 0;
        for (size_t at = 14; at + 6 <= movie.size();) {
            const u16 code = u16(readLE16(&padded[at]) >> 6);
            const u32 length = readLE32(&padded[at + 2]);
            if (code == swf::kTagDefineShape) {
                PlainBits in(&padded[at + 6 + 2]);
                edges += ParseShapeRecords(in, sum);
            }
            at += 6 + length;
        }
        benchmark::DoNotOptimize(sum);
        if (edges != shapes * kEdgesPerShape) {
            state.SkipWithError("the parse missed edges");
            break;
        }
    }
    state.SetBytesProcessed(i64(state.iterations()) * i64(movie.size()));
}
BENCHMARK(BM_PlainBitFieldParse)->Unit(benchmark::kMillisecond);

}  // namespace
