#include "panels/base/ToolFactory.h"

#include <array>
#include <new>
#include <utility>

#include "tools/base/ToolNames.h"
#include "tools/brushes/RSprayGun.h"
#include "tools/cut/RMarchingAnts.h"
#include "tools/effects/RBubbles.h"
#include "tools/effects/RBurlap.h"
#include "tools/effects/RColorize.h"
#include "tools/effects/REmboss.h"
#include "tools/effects/RFlip.h"
#include "tools/effects/RHueShift.h"
#include "tools/effects/RKaleidoscope.h"
#include "tools/effects/RLighten.h"
#include "tools/effects/RNuclear.h"
#include "tools/effects/RPinch.h"
#include "tools/effects/RPointilize.h"
#include "tools/effects/RPosterize.h"
#include "tools/effects/RPulse.h"
#include "tools/effects/RRipple.h"
#include "tools/effects/RSepia.h"
#include "tools/effects/RShear.h"
#include "tools/effects/RSolarize.h"
#include "tools/effects/RSpherize.h"
#include "tools/effects/RStripColor.h"
#include "tools/effects/RWavelet.h"
#include "tools/effects/RWhirl.h"
#include "tools/effects/RXRay.h"
#include "tools/effects/brushes/RBlurBrush.h"
#include "tools/effects/brushes/RColorizeBrush.h"
#include "tools/effects/brushes/REdgeBrush.h"
#include "tools/effects/brushes/REmbossBrush.h"
#include "tools/effects/brushes/RGreyscaleBrush.h"
#include "tools/effects/brushes/RHueShiftBrush.h"
#include "tools/effects/brushes/RMosaicBrush.h"
#include "tools/effects/brushes/RNuclearBrush.h"
#include "tools/effects/brushes/RPosterizeBrush.h"
#include "tools/effects/brushes/RSmearBrush.h"
#include "tools/effects/brushes/RSolarizeBrush.h"
#include "tools/effects/brushes/RXRayBrush.h"
#include "tools/erasers/PageEraseFactory.h"
#include "tools/erasers/REraserTool.h"
#include "tools/erasers/RPageEraseTool.h"
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

// The page-erase effects are one tool class; each row's index picks its effect.
template <i16 Index>
RTool* makePageErase() {
    return new RPageEraseTool(Index);
}

template <i16... Index>
constexpr void pageEraseRows(std::array<MakeTool, kLastFactoryTool + 1>& rows, std::integer_sequence<i16, Index...>) {
    ((rows[size_t(kToolIdFirstPageErase + Index)] = makePageErase<kToolIdFirstPageErase + Index>), ...);
}

// One row per tool index; a null row builds nothing.
constexpr std::array<MakeTool, kLastFactoryTool + 1> kRows = [] {
    std::array<MakeTool, kLastFactoryTool + 1> rows{};
    rows[kToolIdXRay] = make<RXRay>;
    rows[kToolIdNuclear] = make<RNuclear>;
    rows[kToolIdEmboss] = make<REmboss>;
    rows[kToolIdLighten] = make<RLighten>;
    rows[kToolIdSepia] = make<RSepia>;
    rows[kToolIdColorize] = make<RColorize>;
    rows[kToolIdHueShift] = make<RHueShift>;
    rows[kToolIdStripColor] = make<RStripColor>;
    rows[kToolIdPointilize] = make<RPointilize>;
    rows[kToolIdPosterize] = make<RPosterize>;
    rows[kToolIdSolarize] = make<RSolarize>;
    rows[kToolIdPinch] = make<RPinch>;
    rows[kToolIdSpherize] = make<RSpherize>;
    rows[kToolIdRipple] = make<RRipple>;
    rows[kToolIdBubbles] = make<RBubbles>;
    rows[kToolIdBurlap] = make<RBurlap>;
    rows[kToolIdWhirl] = make<RWhirl>;
    rows[kToolIdPulse] = make<RPulse>;
    rows[kToolIdWavelet] = make<RWavelet>;
    rows[kToolIdShear] = make<RShear>;
    rows[kToolIdFlip] = make<RFlip>;
    rows[kToolIdKaleidoscope] = make<RKaleidoscope>;
    rows[kToolIdSmearBrush] = make<RSmearBrush>;
    rows[kToolIdBlurBrush] = make<RBlurBrush>;
    rows[kToolIdGreyscaleBrush] = make<RGreyscaleBrush>;
    rows[kToolIdColorizeBrush] = make<RColorizeBrush>;
    rows[kToolIdXRayBrush] = make<RXRayBrush>;
    rows[kToolIdEmbossBrush] = make<REmbossBrush>;
    rows[kToolIdEdgeBrush] = make<REdgeBrush>;
    rows[kToolIdNuclearBrush] = make<RNuclearBrush>;
    rows[kToolIdSolarizeBrush] = make<RSolarizeBrush>;
    rows[kToolIdHueShiftBrush] = make<RHueShiftBrush>;
    rows[kToolIdPosterizeBrush] = make<RPosterizeBrush>;
    rows[kToolIdMosaicBrush] = make<RMosaicBrush>;
    pageEraseRows(rows, std::make_integer_sequence<i16, kToolIdLastPageErase - kToolIdFirstPageErase + 1>{});
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
