#include "engine/files/MovieAtoms.h"

#include <gtest/gtest.h>

#include "tests/engine/files/MovieBytes.h"

namespace {

using namespace testmovie;

std::vector<u32> offsetsOf(const Bytes& movie, size_t tableAt, u32 count) {
    std::vector<u32> out;
    for (u32 i = 0; i < count; ++i) out.push_back(readBE32(movie.data() + tableAt + 16 + 4 * i));
    return out;
}

size_t find(const Bytes& bytes, const char* type) {
    for (size_t i = 4; i + 4 <= bytes.size(); ++i) {
        if (std::equal(type, type + 4, bytes.begin() + i)) return i - 4;
    }
    return bytes.size();
}

TEST(MovieAtoms, ChunkOffsetsOfEveryTrackMoveByTheDelta) {
    struct Case {
        u32 delta;
        std::vector<u32> before;
        std::vector<u32> after;
    };
    const Case cases[] = {
        {4096, {32, 1000}, {4128, 5096}},
        {0, {32, 1000}, {32, 1000}},
        {16, {0xFFFFFFF8u, 7}, {8, 23}},  // modulo 2^32
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delta);
        Bytes m = movie({track(chunkOffsets("stco", 2, c.before)), track(chunkOffsets("stco", 1, {c.before[0]}))});
        const size_t first = find(m, "stco");
        const size_t second = first + 8 + find(Bytes(m.begin() + first + 8, m.end()), "stco");
        ASSERT_EQ(RelocateMovieChunkOffsets(m, c.delta), 0);
        EXPECT_EQ(offsetsOf(m, first, 2), c.after);
        EXPECT_EQ(offsetsOf(m, second, 1), std::vector<u32>{c.after[0]});
    }
}

TEST(MovieAtoms, RefusedMoviesAreLeftAsTheyWere) {
    struct Case {
        const char* name;
        Bytes movie;
        u16 expected;
    };
    const Case cases[] = {
        {"64-bit offsets", movie({track(chunkOffsets("stco", 1, {5})), track(chunkOffsets("co64", 1, {0, 5}))}),
         kMovieErrWideOffsets},
        {"count at the table's end", movie({track(chunkOffsets("stco", 2, {5, 6}))}), 0},
        {"count one past the table", movie({track(chunkOffsets("stco", 3, {5, 6}))}), kMovieErrBadAtom},
        {"huge count", movie({track(chunkOffsets("stco", 0x3FFFFFFF, {5}))}), kMovieErrBadAtom},
        {"table without its count", movie({track(atom("stco", Bytes(4)))}), kMovieErrBadAtom},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes m = c.movie;
        EXPECT_EQ(RelocateMovieChunkOffsets(m, 100), c.expected);
        if (c.expected != 0) {
            EXPECT_EQ(m, c.movie) << "nothing changed";
        }
    }
}

TEST(MovieAtoms, NegativeOrZeroCountsChangeNothing) {
    for (u32 count : {0u, 0x80000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(count);
        const Bytes before = movie({track(chunkOffsets("stco", count, {5}))});
        Bytes m = before;
        EXPECT_EQ(RelocateMovieChunkOffsets(m, 100), 0);
        EXPECT_EQ(m, before);
    }
}

TEST(MovieAtoms, AtomSizesBelowTheHeaderOrPastTheEndAreRefused) {
    struct Case {
        u32 size;
        u16 expected;
    };
    // A child of 16 bytes inside the movie: sizes 7 and below are refused, 8 is the least atom.
    const Case cases[] = {{0, kMovieErrBadAtom}, {1, kMovieErrBadAtom}, {7, kMovieErrBadAtom},
                          {8, 0},                {16, 0},               {17, kMovieErrBadAtom}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        Bytes m = movie({atom("free", Bytes(8))});
        writeBE32(m.data() + find(m, "free"), c.size);
        if (c.size == 8) m = movie({atom("free"), atom("skip")});
        EXPECT_EQ(RelocateMovieChunkOffsets(m, 1), c.expected);
    }
}

TEST(MovieAtoms, MovieAtomIsFoundFromTheStartOffset) {
    const Bytes m = movie({track(chunkOffsets("stco", 1, {40}))});
    const Bytes archive = join({Bytes(100, 0xAB), atom("ftyp", Bytes(4)), atom("mdat", Bytes(20)), m});
    struct Case {
        const char* name;
        Bytes file;
        u32 start;
        u16 expected;
        u32 offset;
    };
    const Case cases[] = {
        {"inside an archive", archive, 100, 0, 100 + 12 + 28},
        {"no movie atom", join({Bytes(100, 0), atom("mdat", Bytes(20))}), 100, kMovieErrNoMovieAtom, 0},
        {"start past the end", archive, u32(archive.size()), kMovieErrNoMovieAtom, 0},
        {"zero-sized atom", join({Bytes(100, 0), atom("mdat"), Bytes(4)}), 104, kMovieErrBadAtom, 0},
        {"atom longer than the file", join({Bytes(100, 0), atom("mdat", Bytes(20))}), 99, kMovieErrBadAtom, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        u32 offset = 0;
        u32 size = 0;
        EXPECT_EQ(FindMovieAtom(c.file, c.start, &offset, &size), c.expected);
        if (c.expected == 0) {
            EXPECT_EQ(offset, c.offset);
            EXPECT_EQ(size, m.size());
        }
    }
}

// A movie played where it lies needs a movie atom of 32-bit offsets within the size allowed.
TEST(MovieAtoms, AMovieInPlaceNeedsAMovieAtomWithNarrowOffsets) {
    const Bytes narrow = movie({track(chunkOffsets("stco", 1, {40}))});
    const struct { Bytes file; u32 largest; u16 expected; } cases[] = {{join({atom("ftyp", Bytes(4)), atom("mdat", Bytes(64)), narrow}), 4096, 0},
                 {join({atom("ftyp", Bytes(4)), atom("mdat", Bytes(64))}), 4096, kMovieErrNoMovieAtom},
                 {movie({track(chunkOffsets("co64", 1, {0, 40}))}), 4096, kMovieErrWideOffsets},
                 {narrow, u32(narrow.size() - 1), kMovieErrBadAtom}};
    for (const auto& c : cases) {
        const AtomBytesReader read = [&c](u64 at, u8* out, u32 count) {
            const bool inside = at <= c.file.size() && count <= c.file.size() - at;  // the fuzz target proves it always is
            if (inside) std::copy_n(c.file.begin() + std::ptrdiff_t(at), count, out);
            return inside;
        };
        EXPECT_EQ(CheckMovieInPlace(c.file.size(), read, c.largest), c.expected) << c.expected;
    }
}

u16 countCalls(void* context, std::span<u8>) {
    ++*static_cast<int*>(context);
    return 0;
}
u16 stopWithFive(void*, std::span<u8>) { return 5; }

TEST(MovieAtoms, AtomListCallsHandlersInTableOrderAndStopsOnAnswer) {
    Bytes run = join({atom("trak"), atom("udta"), atom("trak"), Bytes(7, 0)});
    int calls = 0;
    const AtomHandlerEntry counting[] = {{countCalls, fourCC("trak")}, {countCalls, fourCC("trak")}, {nullptr, 0}};
    EXPECT_EQ(ParseAtomList(run, counting, &calls), 0) << "seven bytes left over are no atom";
    EXPECT_EQ(calls, 4);
    calls = 0;
    const AtomHandlerEntry stopping[] = {{countCalls, fourCC("trak")}, {stopWithFive, fourCC("trak")}, {nullptr, 0}};
    EXPECT_EQ(ParseAtomList(run, stopping, &calls), 5);
    EXPECT_EQ(calls, 1);
}

}  // namespace
