#pragma once
// Regions: areas of device pixels kept as horizontal bands, each band a run of rows that share
// the same sorted, disjoint, non-touching spans. Adjacent bands with equal spans are merged, so
// two regions covering the same pixels compare equal. Regions are plain values.
#include <cstdint>
#include <vector>

#include "platform/gdi/Geometry.h"

namespace plat::gdi {

struct Span {
    int32_t left = 0;
    int32_t right = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// Spans of consecutive rows starting at `top`, as the shape scanners produce them; the spans
// of one row may overlap and come in any order.
struct RowSpans {
    int32_t top = 0;
    std::vector<std::vector<Span>> rows;
};

enum class FillMode { Alternate = 1, Winding = 2 };
enum class CombineOp { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

class Region {
public:
    struct Band {
        int32_t top;
        int32_t bottom;
        uint32_t first;
        uint32_t count;
        friend bool operator==(const Band&, const Band&) = default;
    };

    Region() = default;
    explicit Region(const Rect& rect);
    static Region fromRows(const RowSpans& rows);
    static Region ellipse(const Rect& bounds);
    static Region polygon(const std::vector<Point>& points, FillMode mode);
    static Region combine(const Region& a, const Region& b, CombineOp op);
    // The union of many rectangles in one sweep.
    static Region unionOf(const std::vector<Rect>& rects);

    bool empty() const { return bands_.empty(); }
    Rect bounds() const;
    bool contains(Point p) const;
    void offset(int32_t dx, int32_t dy);
    // One rectangle per span of every band, top to bottom, left to right.
    std::vector<Rect> rects() const;
    size_t rectCount() const { return spans_.size(); }

    const std::vector<Band>& bands() const { return bands_; }
    const Span* spansOf(const Band& band) const { return spans_.data() + band.first; }

    friend bool operator==(const Region&, const Region&) = default;

private:
    void appendBand(int32_t top, int32_t bottom, const std::vector<Span>& spans);

    std::vector<Band> bands_;
    std::vector<Span> spans_;
};

}  // namespace plat::gdi
