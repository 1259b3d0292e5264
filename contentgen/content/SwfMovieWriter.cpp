#include "contentgen/content/SwfMovieWriter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "contentgen/content/ArtPainter.h"
#include "engine/base/MemoryHandles.h"
#include "media/swf/FrameTags.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/MovieBuilder.h"
#include "media/swf/Records.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/TagCodes.h"

namespace {

constexpr int kTwips = 20;
constexpr u16 kShapeId = 1;
constexpr u16 kDepth = 1;
constexpr u32 kStreamStep = 4096;
constexpr double kPi = 3.14159265358979323846;

struct Box {
    int left, top, right, bottom;
    u16 colour;  // RGB555
};

// Runs of one colour per row, joined downwards while the next row repeats them exactly.
std::vector<Box> colourBoxes(const Raster& r) {
    std::vector<Box> done;
    std::map<std::tuple<int, int, u16>, Box> open;
    for (int y = 0; y <= r.height; ++y) {
        std::map<std::tuple<int, int, u16>, Box> next;
        for (int x = 0; y < r.height && x < r.width;) {
            if (!rasterOpaque(r.at(x, y))) {
                ++x;
                continue;
            }
            const u16 colour = rasterTo555(r.at(x, y));
            const int left = x;
            while (x < r.width && rasterOpaque(r.at(x, y)) && rasterTo555(r.at(x, y)) == colour) ++x;
            const auto key = std::make_tuple(left, x, colour);
            const auto it = open.find(key);
            Box box = it != open.end() ? it->second : Box{left, y, x, y, colour};
            if (it != open.end()) open.erase(it);
            box.bottom = y + 1;
            next.emplace(key, box);
        }
        for (const auto& [key, box] : open) done.push_back(box);
        open = std::move(next);
    }
    std::sort(done.begin(), done.end(), [](const Box& a, const Box& b) { return std::tie(a.top, a.left) < std::tie(b.top, b.left); });
    return done;
}

u32 signedBits(i32 v) {
    u32 bits = 1;
    while (v < -(i32(1) << (bits - 1)) || v >= (i32(1) << (bits - 1))) ++bits;
    return bits;
}

void check(swf::Result result, const char* what) {
    if (result != swf::kOk) throw ArtError(std::string("the Flash library refused the movie's ") + what);
}

void writeSigned(swf::stream& out, u32 bits, i32 v) { check(out.WriteBits(bits, u32(v) & ((1u << bits) - 1)), "shape records"); }

// A straight edge along one axis.
void writeEdge(swf::stream& out, bool vertical, i32 delta) {
    const u32 bits = std::max<u32>(2, signedBits(delta));
    check(out.WriteBits(2, 3), "shape records");  // edge record, straight
    check(out.WriteBits(4, bits - 2), "shape records");
    check(out.WriteBits(1, 0), "shape records");  // not a general line
    check(out.WriteBits(1, vertical ? 1 : 0), "shape records");
    writeSigned(out, bits, delta);
}

// The body of DefineShape3 in the file's form: id, bounds, the fill styles (one solid colour
// per entry), no line styles, then per box a move to its corner choosing its fill on the right
// of the path and four edges clockwise.
void writeShapeBody(swf::stream& out, const std::vector<Box>& boxes, const swf::Rect& bounds) {
    std::map<u16, u16> styles;
    for (const Box& b : boxes) styles.emplace(b.colour, 0);
    if (styles.size() > 0xFFFE) throw ArtError("a Flash picture holds at most 65534 colours");
    u16 index = 0;
    for (auto& [colour, style] : styles) style = ++index;
    check(out.WriteU16(kShapeId), "shape id");
    check(swf::WriteRect(out, bounds), "shape bounds");
    out.Align(8);
    if (styles.size() < 255) {
        check(out.WriteU8(u8(styles.size())), "fill styles");
    } else {
        check(out.WriteU8(255), "fill styles");
        check(out.WriteU16(u16(styles.size())), "fill styles");
    }
    for (const auto& [colour, style] : styles) {
        const auto expand = [](u32 five) { return u8((five << 3) | (five >> 2)); };
        check(out.WriteU8(0), "fill styles");  // solid
        check(out.WriteRGB(swf::Rgba{expand((colour >> 10) & 31), expand((colour >> 5) & 31), expand(colour & 31), 255}, true),
              "fill styles");
    }
    check(out.WriteU8(0), "line styles");
    u32 fillBits = 1;
    while ((1u << fillBits) <= styles.size()) ++fillBits;
    check(out.WriteBits(4, fillBits), "shape");
    check(out.WriteBits(4, 0), "shape");
    for (const Box& b : boxes) {
        const i32 x = (b.left) * kTwips + bounds.xMin, y = (b.top) * kTwips + bounds.yMin;
        const u32 moveBits = std::max(signedBits(x), signedBits(y));
        // A style change (type bit 0) with, of the flags new styles, line style, fill style 1,
        // fill style 0 and move to, only fill style 1 and move to.
        check(out.WriteBits(6, 0x04 | 0x01), "shape records");
        check(out.WriteBits(5, moveBits), "shape records");
        writeSigned(out, moveBits, x);
        writeSigned(out, moveBits, y);
        check(out.WriteBits(fillBits, styles.at(b.colour)), "shape records");
        const i32 w = (b.right - b.left) * kTwips, h = (b.bottom - b.top) * kTwips;
        writeEdge(out, false, w);
        writeEdge(out, true, h);
        writeEdge(out, false, -w);
        writeEdge(out, true, -h);
    }
    check(out.WriteBits(6, 0), "shape records");  // end
    out.Align(8);
}

swf::Matrix placementMatrix(const SwfPlacement& p) {
    const double c = std::cos(p.turn * kPi / 180), s = std::sin(p.turn * kPi / 180);
    swf::Matrix m;
    m.scaleX = i32(std::lround(c * p.scaleX * 65536));
    m.scaleY = i32(std::lround(c * p.scaleY * 65536));
    m.rotateSkew0 = i32(std::lround(s * p.scaleX * 65536));
    m.rotateSkew1 = i32(std::lround(-s * p.scaleY * 65536));
    m.translateX = i32(std::lround(p.x * kTwips));
    m.translateY = i32(std::lround(p.y * kTwips));
    return m;
}

}  // namespace

std::vector<u8> writeSwfMovie(const Raster& picture, const std::vector<SwfPlacement>& frames, int width, int height,
                              int framesPerSecond) {
    const std::vector<Box> boxes = colourBoxes(picture);
    if (boxes.empty()) throw ArtError("a Flash picture needs at least one opaque place");
    if (frames.empty() || frames.size() > 0xFFFF) throw ArtError("a Flash movie has 1 to 65535 frames");
    // The shape is drawn around its centre, so that placements turn and scale it in place.
    const swf::Rect bounds{-picture.width * kTwips / 2, -picture.height * kTwips / 2, picture.width * kTwips / 2,
                           picture.height * kTwips / 2};
    swf::MovieBuilder builder(swf::Rect{0, 0, width * kTwips, height * kTwips});
    swf::document& movie = builder.Document();
    movie.frameRate = u32(framesPerSecond) << 16;
    movie.frameCount = u16(frames.size());
    movie.framesRead = movie.frameCount;

    swf::mstream body(kStreamStep);
    writeShapeBody(body, boxes, bounds);
    u32 length = 0;
    check(body.Size(length), "shape");
    body.SetPosition(0);
    movie.SetCursor(builder.Background());
    auto* shape = new swf::tagDefineShape(swf::kTagDefineShape3);
    shape->Link(&movie);
    check(shape->ReadBody(body, length), "shape");

    swf::tag* after = shape;
    for (size_t i = 0; i < frames.size(); ++i) {
        auto* place = new swf::tagPlaceObject(swf::kTagPlaceObject2);
        place->flags = swf::kPlaceHasMatrix | (i == 0 ? swf::kPlaceHasCharacter : swf::kPlaceMove);
        place->depth = kDepth;
        place->characterId = kShapeId;
        place->matrix = placementMatrix(frames[i]);
        movie.SetCursor(after);
        place->Link(&movie);
        if (i == 0) {
            after = builder.CurrentFrame();
            continue;
        }
        auto* show = new swf::tagShowFrame;
        show->Link(&movie);
        after = show;
    }
    swf::mstream out(kStreamStep);
    check(builder.Write(out), "movie");
    u32 size = 0;
    u8* bytes = out.Detach(size);
    std::vector<u8> movieBytes(bytes, bytes + size);
    memFreePtr(bytes);
    return movieBytes;
}
