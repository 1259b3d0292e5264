#include "engine/gfx/sprites/format/ShapeDecoder.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/gfx/sprites/format/ShapeErrors.h"

namespace {

// The most input one command reads: a control byte and 63 long back-references of four
// bytes each (entry, two bytes of length and distance, the completing byte).
constexpr size_t kMaxCommandInput = 1 + 63 * 4;
// Every reference reaches at most 1023 bytes back, so this much history decides them all.
constexpr size_t kHistory = 1024;
constexpr size_t kTableSize = 32;
// Room kept after the most a command can write, for copies that move whole 8-byte groups.
constexpr size_t kCopySlack = 8;
constexpr size_t kCommandRoom = kShapeMaxCommandOutput + kCopySlack;

constexpr u8 kLiteralLast = 63;
constexpr u8 kRepeatUnit = 64;
constexpr u8 kRepeatPair = 128;
constexpr u8 kRepeatFar = 160;
constexpr u8 kCoded = 192;
constexpr u8 kTableLoad = 1;
constexpr u8 kLongBackA = 0xFC;
constexpr u8 kLongBackB = 0xEC;

enum class Outcome { Go, Stop, Damaged };

// The decoder's state over one output buffer; `pos` is the index of the next byte written.
// Callers keep at least kCommandRoom bytes of room after `pos` before each command,
// so writes are never checked one by one; references are checked before they are read.
struct Decoder {
    u8* out;
    size_t pos;
    const u8* in;
    const u8* end;
    u8 mode = 0;
    std::array<u8, kTableSize> table{};
    bool bad = false;

    u8 back(size_t k) {
        if (k == 0 || k > pos) {
            bad = true;
            return 0;
        }
        return out[pos - k];
    }
    void put(u8 b) { out[pos++] = b; }

    // Writes `times` copies of a 2- or 4-byte pattern, 8 bytes at a time into the room kept
    // after the command.
    void repeat(const u8* pattern, size_t size, size_t times) {
        u8 wide[kCopySlack];
        for (size_t i = 0; i < kCopySlack; ++i) wide[i] = pattern[i % size];
        const size_t total = size * times;
        for (size_t i = 0; i < total; i += kCopySlack) std::memcpy(out + pos + i, wide, kCopySlack);
        pos += total;
    }

    // Copies `count` bytes from `distance` back. Bytes are read in groups of 4, then 2, then
    // 1, each group before it is written; a group that would read bytes not yet produced is
    // refused, which makes the copy equal to a byte-by-byte one.
    void copy(size_t count, size_t distance) {
        size_t group = count >= 4 ? 4 : count >= 2 ? 2 : 1;
        if (distance < group || distance > pos) {
            bad = true;
            return;
        }
        u8* dst = out + pos;
        const u8* src = dst - distance;
        if (distance >= kCopySlack) {
            // Whole 8-byte groups, each read before it is written: equal to a byte-by-byte
            // copy for any distance of 8 or more. Up to 7 bytes past the copy are written;
            // they lie in the room kept after every command and are written again later.
            for (size_t i = 0; i < count; i += kCopySlack) {
                u8 group8[kCopySlack];
                std::memcpy(group8, src + i, kCopySlack);
                std::memcpy(dst + i, group8, kCopySlack);
            }
        } else {
            for (size_t i = 0; i < count; ++i) dst[i] = src[i];
        }
        pos += count;
    }
};

template <bool kChecked>
struct Reader {
    Decoder& d;
    u8 next() {
        if constexpr (kChecked) {
            if (d.in == d.end) {
                d.bad = true;
                return 0;
            }
        }
        return *d.in++;
    }
};

// A unit from a table pair: values in value mode, deltas to the unit before in delta mode.
template <bool kChecked>
void pairUnit(Decoder& d, Reader<kChecked>& r, int pair) {
    const u8* p = d.table.data() + (pair >> 1) * 16;
    const u8* q = d.table.data() + (pair & 1) * 16;
    u8 b = r.next();
    if (d.mode) {
        u8 r0 = d.back(2), r1 = d.back(1);
        d.put(u8(r0 + p[b >> 4]));
        d.put(u8(r1 + q[b & 15]));
    } else {
        d.put(p[b >> 4]);
        d.put(q[b & 15]);
    }
}

// Method B's "V": the table value, or the old byte plus it in delta mode.
inline u8 tableValue(const Decoder& d, const u8* half, u8 x, u8 old) { return d.mode ? u8(old + half[x]) : half[x]; }

template <bool kChecked>
void backReference(Decoder& d, Reader<kChecked>& r, u8 x, size_t count, bool completed) {
    size_t distance = (size_t(x & 3) << 8) | r.next();
    d.copy(count, distance);
    if (completed) d.put(r.next());
}

template <bool kChecked>
void longBackReference(Decoder& d, Reader<kChecked>& r) {
    u8 high = r.next();
    u8 low = r.next();
    size_t count = (high >> 2) + 3u;
    d.copy(count, (size_t(high & 3) << 8) | low);
    if (count & 1) d.put(r.next());
}

// The back-reference forms of ops 10, 11 and 14, shared by both methods: selector → length, completed.
struct BackForm {
    u8 count;
    bool completed;
};
constexpr BackForm kBackForms[3][3] = {
    {{3, true}, {4, false}, {5, true}},     // op 10
    {{6, false}, {7, true}, {8, false}},    // op 11
    {{9, true}, {10, false}, {11, true}},   // op 14
};

template <ShapeMethod M, bool kChecked>
void codedEntryA(Decoder& d, Reader<kChecked>& r, u8 op, u8 x) {
    auto q0 = [&] { return d.back(2); };
    auto q1 = [&] { return d.back(1); };
    switch (op) {
    case 0: {
        size_t k = 2 * size_t(x);
        d.put(d.back(k));
        d.put(d.back(k));
        break;
    }
    case 1: {
        d.put(q0());
        d.put(x == 0 ? r.next() : d.back(x));
        break;
    }
    case 2: {
        u8 a = q0(), b = q1();
        d.put(a);
        d.put(u8(b + x));
        break;
    }
    case 3: {
        u8 a = q0(), b = q1();
        d.put(a);
        d.put(u8(b - x));
        break;
    }
    case 4: {
        u8 b = q1();
        d.put(x == 0 ? r.next() : d.back(x));
        d.put(b);
        break;
    }
    case 5:
        if (x == 0) {
            d.put(r.next());
            d.put(r.next());
        } else if (x < 8) {
            d.put(d.back(x));
            d.put(r.next());
        } else {
            d.put(r.next());
            d.put(d.back(size_t(x - 8)));
        }
        break;
    case 6:
    case 7: {
        u8 b = q1();
        d.put(r.next());
        d.put(op == 6 ? u8(b + x) : u8(b - x));
        break;
    }
    case 8: {
        u8 a = q0(), b = q1();
        d.put(u8(a + x));
        d.put(b);
        break;
    }
    case 9: {
        u8 a = q0();
        d.put(u8(a + x));
        d.put(r.next());
        break;
    }
    case 12: {
        u8 a = q0(), b = q1();
        d.put(u8(a - x));
        d.put(b);
        break;
    }
    case 13: {
        u8 a = q0();
        d.put(u8(a - x));
        d.put(r.next());
        break;
    }
    default: {  // 10, 11, 14, 15
        u8 selector = x >> 2;
        if (selector == 0) {
            u8 a = q0(), b = q1();
            u8 v = r.next();
            bool up0 = op == 10 || op == 11, up1 = op == 10 || op == 14;
            d.put(up0 ? u8(a + (v >> 4)) : u8(a - (v >> 4)));
            d.put(up1 ? u8(b + (v & 15)) : u8(b - (v & 15)));
        } else if (op == 15) {
            if (selector == 3) {
                longBackReference(d, r);
            } else {
                backReference(d, r, x, selector == 1 ? 12 : 13, selector == 2);
            }
        } else {
            const BackForm& f = kBackForms[op == 10 ? 0 : op == 11 ? 1 : 2][selector - 1];
            backReference(d, r, x, f.count, f.completed);
        }
        break;
    }
    }
}

template <bool kChecked>
void codedEntryB(Decoder& d, Reader<kChecked>& r, u8 t) {
    const u8 op = t >> 4, x = t & 15;
    const u8* t0 = d.table.data();
    const u8* t1 = d.table.data() + 16;
    switch (op) {
    case 2:
    case 3: {
        u8 a = d.back(2), b = d.back(1);
        d.put(a);
        d.put(tableValue(d, op == 2 ? t0 : t1, x, b));
        break;
    }
    case 6:
    case 7: {
        u8 b = d.mode ? d.back(1) : 0;
        d.put(r.next());
        d.put(tableValue(d, op == 6 ? t0 : t1, x, b));
        break;
    }
    case 8:
    case 12: {
        u8 a = d.mode ? d.back(2) : 0, b = d.back(1);
        d.put(tableValue(d, op == 8 ? t0 : t1, x, a));
        d.put(b);
        break;
    }
    case 9:
    case 13: {
        u8 a = d.mode ? d.back(2) : 0;
        d.put(tableValue(d, op == 9 ? t0 : t1, x, a));
        d.put(r.next());
        break;
    }
    case 10:
    case 11:
        if ((x & 12) == 0) {
            pairUnit(d, r, op == 10 ? 0 : 1);
        } else {
            const BackForm& f = kBackForms[op == 10 ? 0 : 1][(x >> 2) - 1];
            backReference(d, r, x, f.count, f.completed);
        }
        break;
    case 14:
        if ((x & 12) == 0) {
            pairUnit(d, r, 2);
        } else if ((x & 12) != 12) {
            const BackForm& f = kBackForms[2][(x >> 2) - 1];
            backReference(d, r, x, f.count, f.completed);
        } else if (t == 0xED) {
            pairUnit(d, r, 0);
            pairUnit(d, r, 0);
        } else {
            longBackReference(d, r);
        }
        break;
    case 15:
        if (x == 0) {
            pairUnit(d, r, 3);
        } else {
            pairUnit(d, r, x >> 2);
            pairUnit(d, r, x & 3);
        }
        break;
    default:  // 0, 1, 4, 5 as in method A
        codedEntryA<ShapeMethod::B>(d, r, op, x);
        break;
    }
}

template <ShapeMethod M, bool kChecked>
Outcome command(Decoder& d) {
    Reader<kChecked> r{d};
    const u8 c = r.next();
    if (d.bad) return Outcome::Damaged;
    if (c == 0) return Outcome::Stop;
    if (c <= kLiteralLast) {
        if (M == ShapeMethod::B && c == kTableLoad) {
            d.mode = r.next();
            if (size_t(d.end - d.in) < kTableSize) return Outcome::Damaged;
            std::memcpy(d.table.data(), d.in, kTableSize);
            d.in += kTableSize;
        } else {
            size_t n = 2 * size_t(c);
            if (size_t(d.end - d.in) < n) return Outcome::Damaged;
            std::memcpy(d.out + d.pos, d.in, n);
            d.in += n;
            d.pos += n;
        }
    } else if (c < kRepeatPair) {
        u8 unit[2] = {d.back(2), d.back(1)};
        d.repeat(unit, 2, size_t(c - kRepeatUnit));
    } else if (c < kCoded) {
        size_t k = 4;
        if (c >= kRepeatFar) {
            k = 2 * size_t(r.next());
            // The four bytes must all have been produced already.
            if (k < 4) d.bad = true;
        }
        if (k > d.pos) d.bad = true;
        if (!d.bad) {
            u8 pair[4];
            std::memcpy(pair, d.out + d.pos - k, 4);
            d.repeat(pair, 4, size_t(c - (c >= kRepeatFar ? kRepeatFar : kRepeatPair)));
        }
    } else {
        for (int i = c - kCoded; i > 0 && !d.bad; --i) {
            u8 t = r.next();
            // The long back-reference carries most of the bytes of real pictures.
            if (t == (M == ShapeMethod::A ? kLongBackA : kLongBackB)) {
                longBackReference(d, r);
            } else if constexpr (M == ShapeMethod::A) {
                codedEntryA<M>(d, r, t >> 4, t & 15);
            } else {
                codedEntryB(d, r, t);
            }
        }
    }
    return d.bad ? Outcome::Damaged : Outcome::Go;
}

template <ShapeMethod M>
Outcome nextCommand(Decoder& d) {
    return size_t(d.end - d.in) >= kMaxCommandInput ? command<M, false>(d) : command<M, true>(d);
}

// Runs commands while the position is below `limit`. The loop works on a copy of the state
// whose address stays here, so that its fields can live in registers: writes through the
// byte pointer could otherwise change any of them, as far as the compiler knows.
template <ShapeMethod M>
Outcome run(Decoder& state, size_t limit) {
    Decoder d = state;
    Outcome o = Outcome::Go;
    while (d.pos < limit && (o = nextCommand<M>(d)) == Outcome::Go) {
    }
    state = d;
    return o;
}

template <ShapeMethod M>
EngineErr decode(std::span<const u8> in, std::span<u8> out) {
    const size_t size = out.size();
    Decoder d{out.data(), 0, in.data(), in.data() + in.size()};
    // Straight into the output while a whole command surely fits.
    if (size > kCommandRoom) {
        Outcome o = run<M>(d, size - kCommandRoom);
        if (o == Outcome::Damaged) return kShapeErrDamagedStream;
        if (o == Outcome::Stop) return d.pos == size ? kErrNone : kShapeErrDamagedStream;
    }
    if (d.pos >= size) return kErrNone;
    // The last commands run in a scratch buffer with the history they may refer to and room
    // for a command that runs over the end; only the bytes up to the end are kept.
    const size_t history = std::min(d.pos, kHistory), remaining = size - d.pos;
    std::array<u8, kHistory + kCommandRoom + kCommandRoom> tail;
    std::memcpy(tail.data(), out.data() + d.pos - history, history);
    const size_t start = d.pos;
    d.out = tail.data();
    d.pos = history;
    Outcome o = run<M>(d, history + remaining);
    if (o == Outcome::Damaged) return kShapeErrDamagedStream;
    size_t produced = std::min(d.pos - history, remaining);
    std::memcpy(out.data() + start, tail.data() + history, produced);
    return produced == remaining ? kErrNone : kShapeErrDamagedStream;
}

}  // namespace

EngineErr shapeDecode(ShapeMethod method, std::span<const u8> in, std::span<u8> out) {
    return method == ShapeMethod::A ? decode<ShapeMethod::A>(in, out) : decode<ShapeMethod::B>(in, out);
}
