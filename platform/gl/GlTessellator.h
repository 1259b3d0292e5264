#pragma once
// The GLU polygon tessellator, with its callbacks kept inside: contours of integer points go in,
// triangles come out as primitives over a vertex array, so that the caller can drop a failed
// attempt before anything is drawn. Vertices that GLU makes where edges cross are truncated to
// integers. Winding rule and normal are GLU's default odd rule and (0, 0, 1). An outline that
// would cost GLU more than the tessellator's limits allow is refused before GLU sees it
// (TessWork.h), the same way as one GLU fails on: the caller draws the rest without it.
#include <cstdint>
#include <memory>
#include <vector>

namespace plat::gl {

struct TessPoint {
    int32_t x = 0, y = 0;
    bool operator==(const TessPoint&) const = default;
};

struct TessPrimitive {
    uint32_t type = 0;   // kTriangles, kTriangleStrip or kTriangleFan
    uint32_t first = 0;  // into TessResult::vertices
    uint32_t count = 0;
};

enum class TessFailure : uint8_t { None, GluError, TooManyPoints, TooManyEdgePairs, TooManyContacts };

// What one tessellation may cost. Outlines drawn by people stay far inside: their edges rarely
// cross, and few of them overlap any one point along x (a block of 800 ringed letters in 20
// rows makes about a quarter of the pairs allowed). At the limits GLU takes up to a few hundred
// milliseconds; a star crossing itself a million times would take it minutes.
struct TessLimits {
    uint32_t points = 1u << 16;       // in all contours together
    uint64_t edgePairs = 1u << 24;    // pairs of edges whose x ranges overlap
    uint32_t contacts = 1u << 13;     // pairs of edges, not neighbours on a contour, that cross or
                                      // touch other than end to end
};

struct TessResult {
    std::vector<TessPrimitive> primitives;
    std::vector<TessPoint> vertices;
    TessFailure failure = TessFailure::None;  // why the last run answered false
    void clear() {
        primitives.clear();
        vertices.clear();
        failure = TessFailure::None;
    }
};

class Tessellator {
public:
    // Null when GLU cannot make a tessellator.
    static std::unique_ptr<Tessellator> create(const TessLimits& limits = {});
    ~Tessellator();
    Tessellator(const Tessellator&) = delete;
    Tessellator& operator=(const Tessellator&) = delete;

    // Contour c runs over points [ends[c - 1], ends[c]) (from 0 for the first). Answers false,
    // with `out` emptied and its failure set, when the outline passes a limit or GLU reported
    // an error.
    bool run(const std::vector<TessPoint>& points, const std::vector<uint32_t>& ends, TessResult& out);

private:
    Tessellator(void* handle, const TessLimits& limits) : handle_(handle), limits_(limits) {}
    void* handle_;
    TessLimits limits_;
};

}  // namespace plat::gl
