#include "tests/media/swfgl/ShapeBytes.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/Records.h"
#include "media/swf/TagCodes.h"

namespace swfgltest {

using swftest::Concat;
using swftest::Tag;

namespace {

// Edge deltas are written 17 bits wide, moves 20: enough for any test picture.
constexpr u32 kEdgeBits = 17;  // the widest an edge can name
constexpr u32 kMoveBits = 20;

Bytes ShapeU16(u16 v) { return Bytes{u8(v), u8(v >> 8)}; }

template <class Write>
Bytes Bits(Write write) {
    swf::mstream out(64);
    write(out);
    out.Align(8);
    return swftest::Contents(out);
}

u32 IndexBits(size_t count) {
    u32 bits = 0;
    while ((size_t(1) << bits) <= count) ++bits;
    return bits;
}

Bytes StyleArray(const std::vector<Bytes>& styles) {
    Bytes out{u8(styles.size())};
    for (const Bytes& s : styles) out.insert(out.end(), s.begin(), s.end());
    return out;
}

void WriteEdge(swf::stream& out, const Edge& e) {
    out.WriteBits(1, 1);
    if (e.curve) {
        out.WriteBits(1, 0);
        out.WriteBits(4, kEdgeBits - 2);
        for (i32 v : {e.dx, e.dy, e.ax, e.ay}) out.WriteBits(kEdgeBits, u32(v));
        return;
    }
    out.WriteBits(1, 1);
    out.WriteBits(4, kEdgeBits - 2);
    out.WriteBits(1, 1);  // general line
    out.WriteBits(kEdgeBits, u32(e.dx));
    out.WriteBits(kEdgeBits, u32(e.dy));
}

// The records of paths, ended, with the index widths given.
void WritePaths(swf::stream& out, const std::vector<Path>& paths, u32 fillBits, u32 lineBits) {
    for (const Path& p : paths) {
        out.WriteBits(1, 0);
        const u32 flags = 0x01 | (fillBits ? 0x02 | 0x04 : 0) | (lineBits ? 0x08 : 0);
        out.WriteBits(5, flags);
        out.WriteBits(5, kMoveBits);
        out.WriteBits(kMoveBits, u32(p.x));
        out.WriteBits(kMoveBits, u32(p.y));
        if (fillBits) {
            out.WriteBits(fillBits, p.fill0);
            out.WriteBits(fillBits, p.fill1);
        }
        if (lineBits) out.WriteBits(lineBits, p.line);
        for (const Edge& e : p.edges) WriteEdge(out, e);
    }
    out.WriteBits(1, 0);
    out.WriteBits(5, 0);
}

Bytes ColourBytes(const swf::Rgba& c) { return Bytes{c.red, c.green, c.blue, c.alpha}; }

}  // namespace

Bytes SolidFill(const swf::Rgba& colour) { return Concat({{0x00}, ColourBytes(colour)}); }

Bytes GradientFill(bool radial, const swf::Matrix& matrix, std::initializer_list<GradientPoint> points) {
    Bytes out{u8(radial ? 0x12 : 0x10)};
    out = Concat({out, Bits([&](swf::stream& s) { swf::WriteMatrix(s, matrix); }), {u8(points.size())}});
    for (const GradientPoint& p : points) out = Concat({out, {p.ratio}, ColourBytes(p.colour)});
    return out;
}

Bytes BitmapFill(bool clipped, u16 bitmap, const swf::Matrix& matrix) {
    return Concat({{u8(clipped ? 0x41 : 0x40)}, ShapeU16(bitmap), Bits([&](swf::stream& s) { swf::WriteMatrix(s, matrix); })});
}

Bytes LineStyle(u16 width, const swf::Rgba& colour) { return Concat({ShapeU16(width), ColourBytes(colour)}); }

Bytes Shape(u16 id, const swf::Rect& bounds, const std::vector<Bytes>& fills, const std::vector<Bytes>& lines,
            const std::vector<Path>& paths) {
    // Wide enough for every index the paths name, also those past the styles.
    size_t fillMax = fills.size(), lineMax = lines.size();
    for (const Path& p : paths) {
        fillMax = std::max<size_t>(fillMax, std::max(p.fill0, p.fill1));
        lineMax = std::max<size_t>(lineMax, p.line);
    }
    const u32 fillBits = IndexBits(fillMax), lineBits = IndexBits(lineMax);
    const Bytes rect = Bits([&](swf::stream& s) { swf::WriteRect(s, bounds); });
    const Bytes records = Bits([&](swf::stream& s) {
        s.WriteBits(4, fillBits);
        s.WriteBits(4, lineBits);
        WritePaths(s, paths, fillBits, lineBits);
    });
    return Tag(swf::kTagDefineShape3, Concat({ShapeU16(id), rect, StyleArray(fills), StyleArray(lines), records}), true);
}

Bytes RectShape(u16 id, const swf::Rect& r, const Bytes& fill) {
    const i32 w = r.xMax - r.xMin, h = r.yMax - r.yMin;
    Path path{r.xMin, r.yMin, 0, 1, 0, {Line(w, 0), Line(0, h), Line(-w, 0), Line(0, -h)}};
    return Shape(id, r, {fill}, {}, {path});
}

Bytes Place(u16 depth, u16 id, const swf::Matrix& matrix, const swf::Cxform& cxform) {
    const Bytes tail = Bits([&](swf::stream& s) {
        swf::WriteMatrix(s, matrix);
        s.Align(8);
        swf::WriteCxform(s, cxform, true);
    });
    return Tag(swf::kTagPlaceObject2, Concat({{u8(0x02 | 0x04 | 0x08)}, ShapeU16(depth), ShapeU16(id), tail}));
}

Bytes MoveCxform(u16 depth, const swf::Cxform& cxform) {
    const Bytes tail = Bits([&](swf::stream& s) { swf::WriteCxform(s, cxform, true); });
    return Tag(swf::kTagPlaceObject2, Concat({{u8(0x01 | 0x08)}, ShapeU16(depth), tail}));
}

Bytes Font(u16 id, const std::vector<std::vector<Path>>& glyphs) {
    std::vector<Bytes> shapes;
    for (const auto& paths : glyphs)
        shapes.push_back(Bits([&](swf::stream& s) {
            s.WriteBits(4, 1);
            s.WriteBits(4, 0);
            WritePaths(s, paths, 1, 0);
        }));
    Bytes table, body;
    u32 offset = u32(2 * glyphs.size());
    for (const Bytes& shape : shapes) {
        table = Concat({table, ShapeU16(u16(offset))});
        offset += u32(shape.size());
        body = Concat({body, shape});
    }
    return Tag(swf::kTagDefineFont, Concat({ShapeU16(id), table, body}), true);
}

Bytes Text(u16 id, u16 font, u16 height, const swf::Rgba& colour, i16 x, i16 y, const std::vector<Glyph>& glyphs) {
    constexpr u32 kGlyphBits = 8, kAdvanceBits = 16;
    const Bytes head = Bits([&](swf::stream& s) {
        swf::WriteRect(s, swf::Rect{0, 0, 1280, 960});
        s.Align(8);
        swf::WriteMatrix(s, swf::Matrix{});
    });
    Bytes style = Concat({{0x8F}, ShapeU16(font), {colour.red, colour.green, colour.blue}, ShapeU16(u16(x)), ShapeU16(u16(y)),
                          ShapeU16(height)});
    const Bytes run = Bits([&](swf::stream& s) {
        s.WriteBits(8, u32(glyphs.size()));
        for (const Glyph& g : glyphs) {
            s.WriteBits(kGlyphBits, g.index);
            s.WriteBits(kAdvanceBits, u32(g.advance));
        }
    });
    return Tag(swf::kTagDefineText,
               Concat({ShapeU16(id), head, {u8(kGlyphBits), u8(kAdvanceBits)}, style, run, {0}}), true);
}

Bytes BitsJpeg2(u16 id, const Bytes& data) { return Tag(swf::kTagDefineBitsJPEG2, Concat({ShapeU16(id), data}), true); }

Bytes MovieOf(const swf::Rect& frame, u16 frameCount, const Bytes& tags) {
    const Bytes rect = Bits([&](swf::stream& s) { swf::WriteRect(s, frame); });
    Bytes out = Concat({{'F', 'W', 'S', 6, 0, 0, 0, 0}, rect, {0x00, 12}, ShapeU16(frameCount), tags, {0, 0}});
    writeLE32(out.data() + 4, u32(out.size()));
    return out;
}

}  // namespace swfgltest
