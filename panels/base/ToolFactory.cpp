#include "panels/base/ToolFactory.h"

#include <array>
#include <new>

#include "tools/base/ToolNames.h"
#include "tools/brushes/RSprayGun.h"
#include "tools/cut/RMarchingAnts.h"
#include "tools/erasers/REraserTool.h"
#include "tools/fills/RGradientFill.h"
#include "tools/fills/RPatternFill.h"
#include "tools/fills/RSolidFill.h"
#include "tools/pencils/RChalk.h"
#include "tools/pencils/RCircle.h"
#include "tools/pencils/RCrayon.h"
#include "tools/pencils/RMarker.h"

namespace Ostrel {
namespace {

using MakeTool = RTool* (*)();

template <class T>
RTool* make() {
    return new T();
}

// One row per tool index; a null row builds nothing.
constexpr std::array<MakeTool, kLastFactoryTool + 1> kRows = [] {
    std::array<MakeTool, kLastFactoryTool + 1> rows{};
    rows[kToolIdCircle] = make<RCircle>;
    rows[kToolIdChalk] = make<RChalk>;
    rows[kToolIdCrayon] = make<RCrayon>;
    rows[kToolIdMarker] = make<RMarker>;
    rows[kToolIdEraser] = make<REraserTool>;
    rows[kToolIdSolidFill] = make<RSolidFill>;
    rows[kToolIdPatternFill] = make<RPatternFill>;
    rows[kToolIdGradientFill] = make<RGradientFill>;
    rows[kToolIdSprayGun] = make<RSprayGun>;
    rows[kToolIdMarchingAnts] = make<RMarchingAnts>;
    return rows;
}();

}  // namespace

std::unique_ptr<RTool> CreateToolForIndex(i16 index) {
    if (index < 0 || index > kLastFactoryTool || kRows[size_t(index)] == nullptr) return nullptr;
    try {
        return std::unique_ptr<RTool>(kRows[size_t(index)]());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace Ostrel
