#include "media/swfgl/ShapeMesh.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "engine/base/ByteOrder.h"
#include "media/swf/ShapeBlock.h"
#include "media/swfgl/ContourBuilder.h"
#include "media/swfgl/ShapeRecords.h"
#include "platform/gl/Gl.h"

namespace swf::draw {

using plat::gl::TessPoint;

namespace {

constexpr u32 kCurvePoints = 8;
constexpr u16 kMinLineWidth = 25;

struct Layer {
    u32 start = 0, end = 0;
    i32 penX = 0, penY = 0;
    const u8* fills = nullptr;
    const u8* lines = nullptr;
};

std::vector<Layer> Layers(const ShapeSource& source) {
    std::vector<Layer> layers;
    Layer current{source.first, source.size, 0, 0, source.fills, source.lines};
    ShapeRecords walk(source.block, source.size, source.first);
    ShapeRecord record;
    bool first = true;
    while (walk.Next(record)) {
        if (record.kind == shape::kStyleChange && (record.word & shape::kNewStyles)) {
            if (!first) {
                current.end = record.offset;
                layers.push_back(current);
                current = Layer{record.offset, source.size, record.fromX, record.fromY, nullptr, nullptr};
            }
            current.fills = record.fills;
            current.lines = record.lines;
        }
        first = false;
    }
    layers.push_back(current);
    return layers;
}

// Points past the 32-bit range of twips (a glyph scaled far beyond it, a line's corner at its
// edge) stop at the range's edge.
i32 Twips(double v) {
    return i32(std::clamp(v, double(std::numeric_limits<i32>::min()), double(std::numeric_limits<i32>::max())));
}

TessPoint Map(const PointMapping& m, double x, double y) {
    if (m.identity) return TessPoint{Twips(x), Twips(y)};
    return TessPoint{Twips(m.a * x + m.c * y + m.tx), Twips(m.b * x + m.d * y + m.ty)};
}

// The points of a curve after its start: t = k / (n - 1) for k = 1 .. n - 1.
template <class Add>
void CurvePoints(const ShapeRecord& r, u32 n, Add&& add) {
    for (u32 k = 1; k < n; ++k) {
        const double t = double(k) / double(n - 1), u = 1 - t;
        const double x = u * u * r.fromX + 2 * u * t * r.controlX + t * t * r.toX;
        const double y = u * u * r.fromY + 2 * u * t * r.controlY + t * t * r.toY;
        add(std::trunc(x), std::trunc(y));
    }
}

// Collects the outline pieces of every fill the layer's edges have on either side, by fill index,
// in one walk per side; with `only` set, of that one fill alone.
void CollectFills(const ShapeSource& source, const Layer& layer, u32 n, const PointMapping& mapping,
                  std::map<u16, ContourBuilder>& fills, u16 only = 0) {
    for (int side = 0; side < 2; ++side) {
        ShapeRecords walk(source.block, layer.end, layer.start, layer.penX, layer.penY);
        ShapeRecord r;
        u16 selected = 0;
        ContourBuilder* contours = nullptr;
        auto add = [&](double x, double y) {
            const TessPoint p = Map(mapping, x, y);
            contours->AddPoint(p.x, p.y);
        };
        while (walk.Next(r)) {
            if (r.kind == shape::kStyleChange) {
                if (side == 0 && (r.word & shape::kFillStyle0)) selected = r.fill0;
                if (side == 1 && (r.word & shape::kFillStyle1)) selected = r.fill1;
                contours = selected != 0 && (only == 0 || selected == only) ? &fills[selected] : nullptr;
                if (contours) {
                    const TessPoint p = Map(mapping, r.toX, r.toY);
                    contours->StartPiece(p.x, p.y);
                }
            } else if (contours && r.kind == shape::kStraightEdge) {
                add(r.toX, r.toY);
            } else if (contours) {
                CurvePoints(r, n, add);
            }
        }
    }
}

void AppendTriangles(const plat::gl::TessResult& result, ShapeMesh& mesh) {
    const u32 base = u32(mesh.vertices.size());
    mesh.vertices.insert(mesh.vertices.end(), result.vertices.begin(), result.vertices.end());
    for (plat::gl::TessPrimitive primitive : result.primitives) {
        primitive.first += base;
        mesh.primitives.push_back(primitive);
    }
}

// Builds one fill from its collected pieces, collecting them again at half the curve
// resolution after a tessellation error; answers the points per curve it ended with (0 when
// the fill was given up).
u32 TessellateFill(plat::gl::Tessellator& tessellator, const ShapeSource& source, const Layer& layer, u16 index,
                   ContourBuilder& first, const PointMapping& mapping, ShapeMesh& mesh) {
    MeshPart part;
    part.kind = PartKind::Fill;
    if (source.glyph) {
        // Glyphs have one solid fill style, their colour.
        if (index != 1) return kCurvePoints;
        part.solid = source.glyphColour;
    } else {
        part.style = FillStyleEntry(layer.fills, index, source.block + source.size);
        // Edges naming a style the shape does not have enclose nothing drawable.
        if (!part.style) return kCurvePoints;
    }
    std::vector<TessPoint> points, refused;
    std::vector<u32> ends, refusedEnds;
    plat::gl::TessResult result;
    ContourBuilder* contours = &first;
    std::map<u16, ContourBuilder> again;
    for (u32 n = kCurvePoints; n >= 2; n /= 2) {
        if (n != kCurvePoints) {
            again.clear();
            CollectFills(source, layer, n, mapping, again, index);
            contours = &again[index];
        }
        contours->Build(points, ends);
        if (ends.empty()) return n;
        // A fill of straight edges comes back the same at every resolution, and so would its
        // refusal: measuring it again only costs time.
        if (n != kCurvePoints && points == refused && ends == refusedEnds) return 0;
        if (!tessellator.run(points, ends, result)) {
            refused.swap(points);
            refusedEnds.swap(ends);
            continue;
        }
        if (result.primitives.empty()) return n;
        part.firstPrimitive = u32(mesh.primitives.size());
        AppendTriangles(result, mesh);
        part.primitiveCount = u32(mesh.primitives.size()) - part.firstPrimitive;
        mesh.parts.push_back(part);
        return n;
    }
    return 0;
}

void AddQuad(TessPoint from, TessPoint to, u16 width, ShapeMesh& mesh) {
    TessPoint corners[4];
    if (!SegmentQuad(from, to, width, corners)) return;
    mesh.primitives.push_back({plat::gl::kTriangleStrip, u32(mesh.vertices.size()), 4});
    mesh.vertices.insert(mesh.vertices.end(), corners, corners + 4);
    ++mesh.parts.back().primitiveCount;
}

void LayerLines(const ShapeSource& source, const Layer& layer, u32 n, const PointMapping& mapping, ShapeMesh& mesh) {
    ShapeRecords walk(source.block, layer.end, layer.start, layer.penX, layer.penY);
    ShapeRecord r;
    const u8* style = nullptr;
    u16 width = 0;
    while (walk.Next(r)) {
        if (r.kind == shape::kStyleChange) {
            if (!(r.word & shape::kLineStyle)) continue;
            style = LineStyleEntry(layer.lines, r.line, source.block + source.size);
            if (!style) continue;
            width = readLE16(style);
            MeshPart part;
            part.kind = PartKind::Line;
            part.style = style;
            part.firstPrimitive = u32(mesh.primitives.size());
            mesh.parts.push_back(part);
            continue;
        }
        if (!style) continue;
        TessPoint from = Map(mapping, r.fromX, r.fromY);
        if (r.kind == shape::kStraightEdge) {
            AddQuad(from, Map(mapping, r.toX, r.toY), width, mesh);
            continue;
        }
        CurvePoints(r, n, [&](double x, double y) {
            const TessPoint to = Map(mapping, x, y);
            AddQuad(from, to, width, mesh);
            from = to;
        });
    }
}

}  // namespace

bool SegmentQuad(TessPoint from, TessPoint to, u16 width, TessPoint corners[4]) {
    if (from == to) return false;
    const double dx = double(to.x) - from.x, dy = double(to.y) - from.y;
    const double half = std::max(width, kMinLineWidth) / 2.0, length = std::hypot(dx, dy);
    const i32 ox = i32(-dy / length * half), oy = i32(dx / length * half);
    corners[0] = {Twips(double(from.x) + ox), Twips(double(from.y) + oy)};
    corners[1] = {Twips(double(from.x) - ox), Twips(double(from.y) - oy)};
    corners[2] = {Twips(double(to.x) + ox), Twips(double(to.y) + oy)};
    corners[3] = {Twips(double(to.x) - ox), Twips(double(to.y) - oy)};
    return true;
}

void TessellateShape(plat::gl::Tessellator& tessellator, const ShapeSource& source, const PointMapping& mapping,
                     ShapeMesh& mesh) {
    for (const Layer& layer : Layers(source)) {
        // Only the fills that edges name are built, from the highest index down.
        std::map<u16, ContourBuilder> fills;
        CollectFills(source, layer, kCurvePoints, mapping, fills);
        u32 n = kCurvePoints;
        for (auto it = fills.rbegin(); it != fills.rend(); ++it)
            if (const u32 used = TessellateFill(tessellator, source, layer, it->first, it->second, mapping, mesh)) n = used;
        if (!source.glyph) LayerLines(source, layer, n, mapping, mesh);
    }
}

void OutlineShape(const ShapeSource& source, const PointMapping& mapping, const Rgba& colour, ShapeMesh& mesh) {
    MeshPart part;
    part.kind = PartKind::Outline;
    part.solid = colour;
    part.firstPrimitive = u32(mesh.primitives.size());
    ShapeRecords walk(source.block, source.size, source.first);
    ShapeRecord r;
    auto startStrip = [&](double x, double y) {
        mesh.primitives.push_back({plat::gl::kLineStrip, u32(mesh.vertices.size()), 0});
        mesh.vertices.push_back(Map(mapping, x, y));
        mesh.primitives.back().count = 1;
    };
    auto add = [&](double x, double y) {
        mesh.vertices.push_back(Map(mapping, x, y));
        ++mesh.primitives.back().count;
    };
    startStrip(0, 0);
    while (walk.Next(r)) {
        if (r.kind == shape::kStyleChange) {
            if (r.word & shape::kMoveTo) startStrip(r.toX, r.toY);
        } else if (r.kind == shape::kStraightEdge) {
            add(r.toX, r.toY);
        } else {
            CurvePoints(r, kCurvePoints, add);
        }
    }
    part.primitiveCount = u32(mesh.primitives.size()) - part.firstPrimitive;
    mesh.parts.push_back(part);
}

}  // namespace swf::draw
