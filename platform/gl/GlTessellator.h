#pragma once
// The GLU polygon tessellator, with its callbacks kept inside: contours of integer points go in,
// triangles come out as primitives over a vertex array, so that the caller can drop a failed
// attempt before anything is drawn. Vertices that GLU makes where edges cross are truncated to
// integers. Winding rule and normal are GLU's default odd rule and (0, 0, 1).
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

struct TessResult {
    std::vector<TessPrimitive> primitives;
    std::vector<TessPoint> vertices;
    void clear() {
        primitives.clear();
        vertices.clear();
    }
};

class Tessellator {
public:
    // Null when GLU cannot make a tessellator.
    static std::unique_ptr<Tessellator> create();
    ~Tessellator();
    Tessellator(const Tessellator&) = delete;
    Tessellator& operator=(const Tessellator&) = delete;

    // Contour c runs over points [ends[c - 1], ends[c]) (from 0 for the first). Answers false,
    // with `out` emptied, when GLU reported an error.
    bool run(const std::vector<TessPoint>& points, const std::vector<uint32_t>& ends, TessResult& out);

private:
    explicit Tessellator(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace plat::gl
