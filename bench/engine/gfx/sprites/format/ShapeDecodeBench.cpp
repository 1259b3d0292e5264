// Decoding compressed shape groups of both methods, in MB of output a second, against a plain
// decoder that reads, checks and writes one byte at a time and against copying the output's
// size with memcpy. The data are 16-bit pixel rows like the program's art (runs of colour,
// repeated rows); the output size is each benchmark's argument.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

#include "engine/gfx/sprites/format/ShapeEncoder.h"

namespace {

std::vector<u8> art(size_t size) {
    std::vector<u8> b(size);
    const size_t width = 640;
    for (size_t i = 0; i + 1 < size; i += 2) {
        size_t x = (i / 2) % width, y = (i / 2) / width;
        u16 colour = u16(((x / 24) * 0x0421 + (y / 16) * 0x0842) ^ ((x * y / 97) % 5 == 0 ? 0x1234 : 0));
        b[i] = u8(colour >> 8);
        b[i + 1] = u8(colour);
    }
    return b;
}

// The plain decoder: every byte read from the input and every byte written or referred to in
// the output goes through its own checked step.
class PlainDecoder {
public:
    PlainDecoder(ShapeMethod method, const std::vector<u8>& in, std::vector<u8>& out)
        : method_(method), in_(in), out_(out), scratch_(out.size() + kShapeMaxCommandOutput) {}

    bool run() {
        while (pos_ < out_.size() && ok_) {
            u8 c = next();
            if (!ok_ || c == 0) break;
            command(c);
        }
        std::memcpy(out_.data(), scratch_.data(), out_.size());
        return ok_ && pos_ >= out_.size();
    }

private:
    u8 next() {
        if (read_ >= in_.size()) return ok_ = false, 0;
        return in_[read_++];
    }
    void put(u8 b) {
        if (pos_ >= scratch_.size()) {
            ok_ = false;
            return;
        }
        scratch_[pos_++] = b;
    }
    u8 back(size_t k) {
        if (k == 0 || k > pos_) return ok_ = false, 0;
        return scratch_[pos_ - k];
    }
    void copy(size_t count, size_t distance) {
        size_t group = count >= 4 ? 4 : count >= 2 ? 2 : 1;
        if (distance < group) ok_ = false;
        for (size_t i = 0; i < count && ok_; ++i) put(back(distance));
    }
    void backRef(u8 x, size_t count, bool completed) {
        copy(count, (size_t(x & 3) << 8) | next());
        if (completed) put(next());
    }
    void longRef() {
        u8 d = next(), o = next();
        size_t count = (d >> 2) + 3u;
        copy(count, (size_t(d & 3) << 8) | o);
        if (count & 1) put(next());
    }
    void pair(int p) {
        const u8* a = table_.data() + (p >> 1) * 16;
        const u8* q = table_.data() + (p & 1) * 16;
        u8 b = next();
        u8 r0 = mode_ ? back(2) : 0, r1 = mode_ ? back(1) : 0;
        put(u8(r0 + a[b >> 4]));
        put(u8(r1 + q[b & 15]));
    }
    u8 value(const u8* half, u8 x, u8 old) { return mode_ ? u8(old + half[x]) : half[x]; }
    void command(u8 c) {
        if (c < 64) {
            if (method_ == ShapeMethod::B && c == 1) {
                mode_ = next();
                for (u8& t : table_) t = next();
                return;
            }
            for (int i = 0; i < 2 * c; ++i) put(next());
        } else if (c < 128) {
            u8 a = back(2), b = back(1);
            for (int i = 64; i < c; ++i) put(a), put(b);
        } else if (c < 192) {
            size_t k = c >= 160 ? 2 * size_t(next()) : 4;
            if (k < 4) ok_ = false;
            u8 g[4] = {back(k), back(k - 1), back(k - 2), back(k - 3)};
            for (int i = c >= 160 ? 160 : 128; i < c; ++i)
                for (u8 b : g) put(b);
        } else {
            for (int i = 192; i < c && ok_; ++i) entry(next());
        }
    }
    void entry(u8 t) {
        const u8 op = t >> 4, x = t & 15;
        const u8 *t0 = table_.data(), *t1 = table_.data() + 16;
        bool b = method_ == ShapeMethod::B;
        if (b && (op == 2 || op == 3)) { u8 q0 = back(2), q1 = back(1); put(q0); put(value(op == 2 ? t0 : t1, x, q1)); return; }
        if (b && (op == 6 || op == 7)) { u8 q1 = back(1); put(next()); put(value(op == 6 ? t0 : t1, x, q1)); return; }
        if (b && (op == 8 || op == 12)) { u8 q0 = back(2), q1 = back(1); put(value(op == 8 ? t0 : t1, x, q0)); put(q1); return; }
        if (b && (op == 9 || op == 13)) { u8 q0 = back(2); put(value(op == 9 ? t0 : t1, x, q0)); put(next()); return; }
        if (b && op >= 10 && (x & 12) == 0 && op != 15) return pair(op == 10 ? 0 : op == 11 ? 1 : 2);
        if (b && op == 14 && (x & 12) == 12) { if (t == 0xED) { pair(0); pair(0); } else { longRef(); } return; }
        if (b && op == 15) { if (x == 0) { pair(3); } else { pair(x >> 2); pair(x & 3); } return; }
        u8 q0, q1;
        switch (op) {
        case 0: put(back(2 * size_t(x))); put(back(2 * size_t(x))); break;
        case 1: put(back(2)); put(x == 0 ? next() : back(x)); break;
        case 2: q0 = back(2), q1 = back(1); put(q0); put(u8(q1 + x)); break;
        case 3: q0 = back(2), q1 = back(1); put(q0); put(u8(q1 - x)); break;
        case 4: q1 = back(1); put(x == 0 ? next() : back(x)); put(q1); break;
        case 5:
            if (x == 0) { put(next()); put(next()); }
            else if (x < 8) { put(back(x)); put(next()); }
            else { put(next()); put(back(size_t(x - 8))); }
            break;
        case 6: q1 = back(1); put(next()); put(u8(q1 + x)); break;
        case 7: q1 = back(1); put(next()); put(u8(q1 - x)); break;
        case 8: q0 = back(2), q1 = back(1); put(u8(q0 + x)); put(q1); break;
        case 9: q0 = back(2); put(u8(q0 + x)); put(next()); break;
        case 12: q0 = back(2), q1 = back(1); put(u8(q0 - x)); put(q1); break;
        case 13: q0 = back(2); put(u8(q0 - x)); put(next()); break;
        default: {
            const u8 sel = x >> 2;
            if (sel == 0) {
                q0 = back(2), q1 = back(1);
                u8 v = next();
                put(op <= 11 ? u8(q0 + (v >> 4)) : u8(q0 - (v >> 4)));
                put(op == 10 || op == 14 ? u8(q1 + (v & 15)) : u8(q1 - (v & 15)));
            } else if (op == 15 && sel == 3) {
                longRef();
            } else {
                static constexpr u8 kCounts[4][3] = {{3, 4, 5}, {6, 7, 8}, {0, 0, 0}, {12, 13, 0}};
                static constexpr bool kPlusB[4][3] = {{1, 0, 1}, {0, 1, 0}, {0, 0, 0}, {0, 1, 0}};
                int row = op == 14 ? 2 : op - 10;
                if (row == 2) backRef(x, size_t(8 + sel), sel != 2);
                else backRef(x, kCounts[row][sel - 1], kPlusB[row][sel - 1]);
            }
        }
        }
    }

    ShapeMethod method_;
    const std::vector<u8>& in_;
    std::vector<u8>& out_;
    std::vector<u8> scratch_;
    size_t read_ = 0, pos_ = 0;
    bool ok_ = true;
    u8 mode_ = 0;
    std::array<u8, 32> table_{};
};

struct Case {
    std::vector<u8> data;
    std::vector<u8> coded;
    std::vector<u8> out;
};

Case makeCase(ShapeMethod method, benchmark::State& state) {
    Case c;
    c.data = art(size_t(state.range(0)));
    c.coded = shapeEncode(method, c.data);
    c.out.resize(c.data.size());
    return c;
}

void finish(benchmark::State& state, const Case& c, bool ok) {
    if (!ok || c.out != c.data) state.SkipWithError("decoded bytes differ from the input");
    state.SetBytesProcessed(i64(state.iterations()) * i64(c.data.size()));
    state.counters["ratio"] = double(c.coded.size()) / double(c.data.size());
}

template <ShapeMethod M>
void BM_Decode(benchmark::State& state) {
    Case c = makeCase(M, state);
    bool ok = true;
    for (auto _ : state) {
        ok &= shapeDecode(M, c.coded, c.out) == kErrNone;
        benchmark::DoNotOptimize(c.out.data());
    }
    finish(state, c, ok);
}

template <ShapeMethod M>
void BM_PlainDecode(benchmark::State& state) {
    Case c = makeCase(M, state);
    bool ok = true;
    for (auto _ : state) {
        ok &= PlainDecoder(M, c.coded, c.out).run();
        benchmark::DoNotOptimize(c.out.data());
    }
    finish(state, c, ok);
}

void BM_Memcpy(benchmark::State& state) {
    Case c = makeCase(ShapeMethod::A, state);
    for (auto _ : state) {
        std::memcpy(c.out.data(), c.data.data(), c.data.size());
        benchmark::DoNotOptimize(c.out.data());
    }
    finish(state, c, true);
}

void sizes(benchmark::internal::Benchmark* b) { b->Arg(64 << 10)->Arg(1 << 20); }

BENCHMARK(BM_Decode<ShapeMethod::A>)->Apply(sizes);
BENCHMARK(BM_PlainDecode<ShapeMethod::A>)->Apply(sizes);
BENCHMARK(BM_Decode<ShapeMethod::B>)->Apply(sizes);
BENCHMARK(BM_PlainDecode<ShapeMethod::B>)->Apply(sizes);
BENCHMARK(BM_Memcpy)->Apply(sizes);

}  // namespace
