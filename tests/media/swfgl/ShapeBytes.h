#pragma once
// Movie bytes for drawing tests: DefineShape3 tags from fill styles, line styles and paths
// written bit by bit as the file has them, placements with colour transforms, fonts and texts,
// and a movie with a frame RECT, so that a test reads as the picture it draws.
#include <string>
#include <vector>

#include "media/swf/SwfTypes.h"
#include "tests/media/swf/SwfTestSupport.h"

namespace swfgltest {

using swftest::Bytes;

struct Edge {
    bool curve = false;
    i32 dx = 0, dy = 0;  // straight: the delta; curve: to the control point
    i32 ax = 0, ay = 0;  // curve: from the control point to the anchor
};
inline Edge Line(i32 dx, i32 dy) { return Edge{false, dx, dy, 0, 0}; }
inline Edge Curve(i32 cx, i32 cy, i32 ax, i32 ay) { return Edge{true, cx, cy, ax, ay}; }

// One style change (a move to an absolute point and the styles selected) and its edges.
struct Path {
    i32 x = 0, y = 0;
    u16 fill0 = 0, fill1 = 0, line = 0;
    std::vector<Edge> edges;
};

Bytes SolidFill(const swf::Rgba& colour);
struct GradientPoint {
    u8 ratio;
    swf::Rgba colour;
};
Bytes GradientFill(bool radial, const swf::Matrix& matrix, std::initializer_list<GradientPoint> points);
Bytes BitmapFill(bool clipped, u16 bitmap, const swf::Matrix& matrix);
Bytes LineStyle(u16 width, const swf::Rgba& colour);

// DefineShape3 with the style arrays (each the concatenated entries) and paths.
Bytes Shape(u16 id, const swf::Rect& bounds, const std::vector<Bytes>& fills, const std::vector<Bytes>& lines,
            const std::vector<Path>& paths);
// A rectangle in twips filled (fill style 1 on its inside) with the one fill style.
Bytes RectShape(u16 id, const swf::Rect& twips, const Bytes& fill);
// PlaceObject2 with a character, a matrix and a colour transform (with alpha); with move, no
// character and only the colour transform.
Bytes Place(u16 depth, u16 id, const swf::Matrix& matrix, const swf::Cxform& cxform);
Bytes MoveCxform(u16 depth, const swf::Cxform& cxform);
// A DefineFont of glyph outlines (one path list each) and a DefineText of one glyph run.
Bytes Font(u16 id, const std::vector<std::vector<Path>>& glyphs);
struct Glyph {
    u16 index;
    i32 advance;
};
Bytes Text(u16 id, u16 font, u16 height, const swf::Rgba& colour, i16 x, i16 y, const std::vector<Glyph>& glyphs);
Bytes BitsJpeg2(u16 id, const Bytes& data);
// A version 6 movie of the frame (twips), 12 frames per second, with an End tag after the tags.
Bytes MovieOf(const swf::Rect& frame, u16 frameCount, const Bytes& tags);

}  // namespace swfgltest
