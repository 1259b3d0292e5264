#include "platform/gl/GlTessellator.h"

#include <GL/glu.h>

#include <deque>

#include "platform/gl/TessWork.h"

namespace plat::gl {

namespace {

// What the callbacks fill while one polygon is tessellated.
struct Polygon {
    TessResult* out = nullptr;
    std::vector<double> coordinates;  // x, y, z per input point; GLU keeps pointers into it
    std::deque<TessPoint> made;       // vertices made by the combine step, stable in memory
    bool failed = false;
};

void GLAPIENTRY onBegin(GLenum type, void* data) {
    auto* polygon = static_cast<Polygon*>(data);
    const uint32_t first = uint32_t(polygon->out->vertices.size());
    polygon->out->primitives.push_back(TessPrimitive{type, first, 0});
}

void GLAPIENTRY onVertex(void* vertex, void* data) {
    auto* polygon = static_cast<Polygon*>(data);
    if (polygon->out->primitives.empty()) return;
    polygon->out->vertices.push_back(*static_cast<const TessPoint*>(vertex));
    ++polygon->out->primitives.back().count;
}

void GLAPIENTRY onEnd(void*) {}

void GLAPIENTRY onError(GLenum, void* data) { static_cast<Polygon*>(data)->failed = true; }

void GLAPIENTRY onCombine(GLdouble coords[3], void*[4], GLfloat[4], void** result, void* data) {
    auto* polygon = static_cast<Polygon*>(data);
    polygon->made.push_back(TessPoint{int32_t(coords[0]), int32_t(coords[1])});
    *result = &polygon->made.back();
}

using Callback = void(GLAPIENTRY*)();

}  // namespace

std::unique_ptr<Tessellator> Tessellator::create(const TessLimits& limits) {
    GLUtesselator* tess = gluNewTess();
    if (!tess) return nullptr;
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(onBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(onVertex));
    gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<Callback>(onEnd));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(onError));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(onCombine));
    gluTessNormal(tess, 0, 0, 1);
    return std::unique_ptr<Tessellator>(new Tessellator(tess, limits));
}

Tessellator::~Tessellator() { gluDeleteTess(static_cast<GLUtesselator*>(handle_)); }

bool Tessellator::run(const std::vector<TessPoint>& points, const std::vector<uint32_t>& ends, TessResult& out) {
    auto* tess = static_cast<GLUtesselator*>(handle_);
    out.clear();
    out.failure = tessWorkExcess(points, ends, limits_);
    if (out.failure != TessFailure::None) return false;
    Polygon polygon;
    polygon.out = &out;
    polygon.coordinates.resize(points.size() * 3);
    for (size_t i = 0; i < points.size(); ++i) {
        polygon.coordinates[3 * i] = points[i].x;
        polygon.coordinates[3 * i + 1] = points[i].y;
        polygon.coordinates[3 * i + 2] = 0;
    }
    gluTessBeginPolygon(tess, &polygon);
    uint32_t start = 0;
    for (uint32_t end : ends) {
        if (end > points.size() || end < start) break;
        gluTessBeginContour(tess);
        for (uint32_t i = start; i < end; ++i)
            gluTessVertex(tess, &polygon.coordinates[3 * i], const_cast<TessPoint*>(&points[i]));
        gluTessEndContour(tess);
        start = end;
    }
    gluTessEndPolygon(tess);
    if (polygon.failed) {
        out.clear();
        out.failure = TessFailure::GluError;
    }
    return !polygon.failed;
}

}  // namespace plat::gl
