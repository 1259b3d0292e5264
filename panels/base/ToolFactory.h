#pragma once
// The one place that turns a tool index (its id in the tool-name table) into a new painting
// tool. Every tool panel builds the tool a child chose with it, and the icon strips build
// throw-away tools with it for their icons. Rows whose tools need arguments of their panel
// (the shape and cut tools, the bitmap stamp, the roller) and rows whose tools this program
// does not have yet answer null, as do indices outside 0..kLastFactoryTool. The page-erase
// effects (123 .. 137) are tools that set off their wipe at the next click on the canvas; the
// text tool (138) hands its presses to the text panel that owns it.
#include <memory>

#include "tools/base/RTool.h"

namespace Ostrel {

constexpr i16 kLastFactoryTool = 138;

// Owned by the caller; null when the row has no tool or memory runs out.
std::unique_ptr<RTool> CreateToolForIndex(i16 index);

}  // namespace Ostrel
