#include "tools/shapes/ROPoly.h"

#include <cstdlib>

#include "tools/base/ToolNames.h"

ROPoly::ROPoly(CListener* owner) : RDragTool(kToolIdOPoly, owner) {}

std::vector<Point16> ROPoly::Outline() const {
    if (corners_.empty()) return {end_};
    return {corners_.back(), end_};
}

void ROPoly::MouseDown(ToolCanvas& canvas, Point16 p) {
    if (corners_.empty()) corners_.push_back(p);
    RDragTool::MouseDown(canvas, p);
}

void ROPoly::MouseUp(ToolCanvas& canvas, Point16 p) {
    EraseBand(canvas);
    end_ = p;
    const Point16 first = corners_.front(), last = corners_.back();
    const bool closes = corners_.size() >= 3 && std::abs(p.h - first.h) <= kPolyCloseDistance &&
                        std::abs(p.v - first.v) <= kPolyCloseDistance;
    if (closes) {
        if (GetPencil()) GetPencil()->StrokePath(canvas, {last, first}, false);
        std::vector<Point16> corners = std::move(corners_);
        corners_.clear();
        Close(canvas, corners);
        return;
    }
    if (p.h == last.h && p.v == last.v) return;
    if (GetPencil()) GetPencil()->StrokePath(canvas, {last, p}, false);
    corners_.push_back(p);
}

void ROPoly::Finish(ToolCanvas& canvas) {
    if (corners_.size() < 2) {
        corners_.clear();
        return;
    }
    if (GetPencil()) GetPencil()->StrokePath(canvas, {corners_.back(), corners_.front()}, false);
    std::vector<Point16> corners = std::move(corners_);
    corners_.clear();
    Close(canvas, corners);
}

void ROPoly::Close(ToolCanvas&, const std::vector<Point16>&) {}
