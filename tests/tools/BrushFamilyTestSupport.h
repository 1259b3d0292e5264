#pragma once
// The brush families' tests: every tool of a family paints one scripted stroke in a cell of its
// own, and the cells side by side make the family's sheet, checked against its golden picture
// (tests/tools/golden/<family>.png) and easy to look at as a whole. Each tool's stroke must
// also be taken back, byte for byte, by undo, and given again by redo.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/messaging/mfDispatcher.h"
#include "framework/undo/UndoManager.h"
#include "tests/tools/ToolTestSupport.h"

namespace tooltest {

constexpr i16 kCellW = 120, kCellH = 80;
constexpr i32 kSheetColumns = 4;
constexpr u16 kGutter = 0x4210;

using MakeTool = std::function<std::unique_ptr<RTool>()>;

template <class T>
MakeTool makeTool() {
    return [] { return std::make_unique<T>(); };
}

struct FamilyTool {
    const char* name;
    i16 id;
    MakeTool make;
    i16 size;
    GfxColor color;
};

// A wave across a cell, its points a few pixels apart like real mouse events.
inline std::vector<Point16> waveStroke() {
    std::vector<Point16> points;
    // From the left edge to the right one: the dabs there are cut by the picture's edges.
    for (i32 x = 0; x < kCellW; x += 4) {
        const double t = x / double(kCellW - 4);
        points.push_back(Point16{i16(x), i16(40 - 22 * std::sin(t * 2 * 3.14159265358979) * (0.6 + 0.4 * t))});
    }
    return points;
}

// How a tool is handed its stroke: pressed and dragged, or (hands-free) only moved over.
using Painter = std::function<void(Easel& easel, RTool& tool, const std::vector<Point16>& stroke)>;

inline void pressAndDrag(Easel& easel, RTool&, const std::vector<Point16>& stroke) { easel.Stroke(stroke); }

// A stripe pattern for undo to put back.
inline void stripes(const PixelView& view) {
    for (i32 y = 0; y < view.height; ++y) view.FillSpan(y, 0, view.width, (y / 6) % 2 ? rgb555(250, 240, 200) : rgb555(120, 200, 250));
}

inline void sizeTool(RTool& tool, i16 size) {
    ToolParams params;
    params.sizes = {size};
    tool.SetParams(params);
}

// How the tools of a sheet draw: in software, or with a GL renderer bound to each cell (the
// golden picture then allows a step of light).
struct SheetDrawing {
    bool withGl = false;
    int tolerance = 0;
};

// Paints each tool's cell and checks the sheet against the family's golden picture.
inline void expectFamilySheet(const std::string& family, const std::vector<FamilyTool>& tools,
                              const std::function<std::vector<Point16>(const FamilyTool&)>& strokeOf, const Painter& paint,
                              const std::function<void(RTool&)>& prepare = {}, SheetDrawing drawing = {}) {
    const i32 rows = (i32(tools.size()) + kSheetColumns - 1) / kSheetColumns;
    Picture sheet(i16(kSheetColumns * (kCellW + 2)), i16(rows * (kCellH + 2)), kGutter);
    for (size_t i = 0; i < tools.size(); ++i) {
        Picture cell(kCellW, kCellH);
        Easel easel(cell, tools[i].color, drawing.withGl);
        std::unique_ptr<RTool> tool = tools[i].make();
        sizeTool(*tool, tools[i].size);
        if (prepare) prepare(*tool);
        easel.Use(*tool);
        EXPECT_EQ(tool->GetToolId(), tools[i].id) << tools[i].name;
        paint(easel, *tool, strokeOf(tools[i]));
        // What the stroke painted lies inside what it told the screen it changed.
        const Rect16 told = easel.mgr.LastChanged();
        bool painted = false;
        for (i32 y = 0; y < kCellH; ++y)
            for (i32 x = 0; x < kCellW; ++x)
                if (cell.view.At(x, y) != kRgb555White) {
                    painted = true;
                    EXPECT_TRUE(x >= told.left && x < told.right && y >= told.top && y < told.bottom) << tools[i].name << " " << x << "," << y;
                }
        EXPECT_TRUE(painted) << tools[i].name;
        const i32 left = i32(i) % kSheetColumns * (kCellW + 2) + 1, top = i32(i) / kSheetColumns * (kCellH + 2) + 1;
        for (i32 y = 0; y < kCellH; ++y)
            for (i32 x = 0; x < kCellW; ++x) sheet.view.Put(left + x, top + y, cell.view.At(x, y));
    }
    expectGolden(family, sheet.view, drawing.tolerance);
}

// Each tool's stroke over a striped picture is one undo step that puts back every byte, and
// redo gives the stroke again.
inline void expectUndoRestores(const std::vector<FamilyTool>& tools, const std::function<std::vector<Point16>(const FamilyTool&)>& strokeOf,
                               const Painter& paint, const std::function<void(RTool&)>& prepare = {}, bool withGl = false) {
    for (const FamilyTool& entry : tools) {
        Picture picture(kCellW, kCellH);
        stripes(picture.view);
        const std::vector<u16> before = picture.pixels;
        mfDispatcher dispatcher;
        Ostrel::UndoManager undo{201, [](const char*) { return std::string(); }};
        Easel easel(picture, entry.color, withGl);
        easel.mgr.Init(picture.view, easel.canvas, &undo);
        std::unique_ptr<RTool> tool = entry.make();
        sizeTool(*tool, entry.size);
        if (prepare) prepare(*tool);
        easel.Use(*tool);
        paint(easel, *tool, strokeOf(entry));
        const std::vector<u16> painted = picture.pixels;
        ASSERT_NE(painted, before) << entry.name;
        ASSERT_EQ(undo.GetCurrentCode(), kPaintUndoCode) << entry.name;
        undo.Undo();
        dispatcher.DispatchQueuedMessages();
        EXPECT_EQ(picture.pixels, before) << entry.name;
        undo.Undo();
        dispatcher.DispatchQueuedMessages();
        EXPECT_EQ(picture.pixels, painted) << entry.name;
    }
}

}  // namespace tooltest
