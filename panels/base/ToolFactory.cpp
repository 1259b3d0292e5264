#include "panels/base/ToolFactory.h"

#include <array>
#include <new>
#include <utility>

#include "tools/base/ToolNames.h"
#include "tools/brushes/RAirbrush.h"
#include "tools/brushes/RBristleBrush.h"
#include "tools/brushes/RCustomBrush1.h"
#include "tools/brushes/RCustomBrush10.h"
#include "tools/brushes/RCustomBrush11.h"
#include "tools/brushes/RCustomBrush12.h"
#include "tools/brushes/RCustomBrush13.h"
#include "tools/brushes/RCustomBrush14.h"
#include "tools/brushes/RCustomBrush15.h"
#include "tools/brushes/RCustomBrush16.h"
#include "tools/brushes/RCustomBrush2.h"
#include "tools/brushes/RCustomBrush3.h"
#include "tools/brushes/RCustomBrush4.h"
#include "tools/brushes/RCustomBrush5.h"
#include "tools/brushes/RCustomBrush6.h"
#include "tools/brushes/RCustomBrush7.h"
#include "tools/brushes/RCustomBrush8.h"
#include "tools/brushes/RCustomBrush9.h"
#include "tools/brushes/RExtrusionBrush.h"
#include "tools/brushes/RRealBrush.h"
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
#include "tools/handsfree/RTouchless1.h"
#include "tools/handsfree/RTouchless10.h"
#include "tools/handsfree/RTouchless2.h"
#include "tools/handsfree/RTouchless3.h"
#include "tools/handsfree/RTouchless4.h"
#include "tools/handsfree/RTouchless5.h"
#include "tools/handsfree/RTouchless6.h"
#include "tools/handsfree/RTouchless7.h"
#include "tools/handsfree/RTouchless8.h"
#include "tools/handsfree/RTouchless9.h"
#include "tools/pencils/RChalk.h"
#include "tools/pencils/RCircle.h"
#include "tools/pencils/RCrayon.h"
#include "tools/pencils/RMarker.h"
#include "tools/voice/RCustomVoiceBrush1.h"
#include "tools/voice/RCustomVoiceBrush10.h"
#include "tools/voice/RCustomVoiceBrush2.h"
#include "tools/voice/RCustomVoiceBrush3.h"
#include "tools/voice/RCustomVoiceBrush4.h"
#include "tools/voice/RCustomVoiceBrush5.h"
#include "tools/voice/RCustomVoiceBrush6.h"
#include "tools/voice/RCustomVoiceBrush7.h"
#include "tools/voice/RCustomVoiceBrush8.h"
#include "tools/voice/RCustomVoiceBrush9.h"
#include "tools/wacky/R8WayMirror.h"
#include "tools/wacky/RABC.h"
#include "tools/wacky/RBricks.h"
#include "tools/wacky/RColorTile.h"
#include "tools/wacky/RDoor.h"
#include "tools/wacky/RDoorPlain.h"
#include "tools/text/RText.h"
#include "tools/wacky/RDotToDot.h"
#include "tools/wacky/RDrippy.h"
#include "tools/wacky/RGarland.h"
#include "tools/wacky/RLeakyPen.h"
#include "tools/wacky/RLog.h"
#include "tools/wacky/RLoopingLine.h"
#include "tools/wacky/RParticle.h"
#include "tools/wacky/RPoly.h"
#include "tools/wacky/RRainbow.h"
#include "tools/wacky/RRoof.h"
#include "tools/wacky/RScratchyPen.h"
#include "tools/wacky/RSpiral.h"
#include "tools/wacky/RSplat.h"
#include "tools/wacky/RTree.h"
#include "tools/wacky/RTriSpin.h"
#include "tools/wacky/RVessar.h"
#include "tools/wacky/RWhispyCircle.h"
#include "tools/wacky/RWindow.h"

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

// The looping line is one class in two rows, built with the row it stands at.
template <i16 index>
RTool* makeLoopingLine() {
    return new RLoopingLine(index);
}

// One row per tool index; a null row builds nothing.
constexpr std::array<MakeTool, kLastFactoryTool + 1> kRows = [] {
    std::array<MakeTool, kLastFactoryTool + 1> rows{};
    rows[kToolIdRealBrush] = make<RRealBrush>;
    rows[kToolIdAirbrush] = make<RAirbrush>;
    rows[kToolIdBristleBrush] = make<RBristleBrush>;
    rows[kToolIdExtrusionBrush] = make<RExtrusionBrush>;
    rows[kToolIdCustomBrush1 + 0] = make<RCustomBrush1>;
    rows[kToolIdCustomBrush1 + 1] = make<RCustomBrush2>;
    rows[kToolIdCustomBrush1 + 2] = make<RCustomBrush3>;
    rows[kToolIdCustomBrush1 + 3] = make<RCustomBrush4>;
    rows[kToolIdCustomBrush1 + 4] = make<RCustomBrush5>;
    rows[kToolIdCustomBrush1 + 5] = make<RCustomBrush6>;
    rows[kToolIdCustomBrush1 + 6] = make<RCustomBrush7>;
    rows[kToolIdCustomBrush1 + 7] = make<RCustomBrush8>;
    rows[kToolIdCustomBrush1 + 8] = make<RCustomBrush9>;
    rows[kToolIdCustomBrush1 + 9] = make<RCustomBrush10>;
    rows[kToolIdCustomBrush1 + 10] = make<RCustomBrush11>;
    rows[kToolIdCustomBrush1 + 11] = make<RCustomBrush12>;
    rows[kToolIdCustomBrush1 + 12] = make<RCustomBrush13>;
    rows[kToolIdCustomBrush1 + 13] = make<RCustomBrush14>;
    rows[kToolIdCustomBrush1 + 14] = make<RCustomBrush15>;
    rows[kToolIdCustomBrush1 + 15] = make<RCustomBrush16>;
    rows[kToolIdVessar] = make<RVessar>;
    rows[kToolIdDrippy] = make<RDrippy>;
    rows[kToolIdSpiral] = make<RSpiral>;
    rows[kToolIdPoly] = make<RPoly>;
    rows[kToolIdTriSpin] = make<RTriSpin>;
    rows[kToolIdWhispyCircle] = make<RWhispyCircle>;
    rows[kToolIdParticle] = make<RParticle>;
    rows[kToolIdGarland] = make<RGarland>;
    rows[kToolIdLeakyPen] = make<RLeakyPen>;
    rows[kToolIdScratchyPen] = make<RScratchyPen>;
    rows[kToolIdLoopingLine1] = makeLoopingLine<kToolIdLoopingLine1>;
    rows[kToolIdLoopingLine2] = makeLoopingLine<kToolIdLoopingLine2>;
    rows[kToolIdBricks] = make<RBricks>;
    rows[kToolIdLog] = make<RLog>;
    rows[kToolIdWindow] = make<RWindow>;
    rows[kToolIdDoor] = make<RDoor>;
    rows[kToolIdDoorPlain] = make<RDoorPlain>;
    rows[kToolIdRoof] = make<RRoof>;
    rows[kToolIdDotToDot] = make<RDotToDot>;
    rows[kToolIdABC] = make<RABC>;
    rows[kToolIdRainbow] = make<RRainbow>;
    rows[kToolIdColorTile] = make<RColorTile>;
    rows[kToolId8WayMirror] = make<R8WayMirror>;
    rows[kToolIdSplat] = make<RSplat>;
    rows[kToolIdTree] = make<RTree>;
    rows[kToolIdVoiceBrush1 + 0] = make<RCustomVoiceBrush1>;
    rows[kToolIdVoiceBrush1 + 1] = make<RCustomVoiceBrush2>;
    rows[kToolIdVoiceBrush1 + 2] = make<RCustomVoiceBrush3>;
    rows[kToolIdVoiceBrush1 + 3] = make<RCustomVoiceBrush4>;
    rows[kToolIdVoiceBrush1 + 4] = make<RCustomVoiceBrush5>;
    rows[kToolIdVoiceBrush1 + 5] = make<RCustomVoiceBrush6>;
    rows[kToolIdVoiceBrush1 + 6] = make<RCustomVoiceBrush7>;
    rows[kToolIdVoiceBrush1 + 7] = make<RCustomVoiceBrush8>;
    rows[kToolIdVoiceBrush1 + 8] = make<RCustomVoiceBrush9>;
    rows[kToolIdVoiceBrush1 + 9] = make<RCustomVoiceBrush10>;
    rows[kToolIdTouchless1 + 0] = make<RTouchless1>;
    rows[kToolIdTouchless1 + 1] = make<RTouchless2>;
    rows[kToolIdTouchless1 + 2] = make<RTouchless3>;
    rows[kToolIdTouchless1 + 3] = make<RTouchless4>;
    rows[kToolIdTouchless1 + 4] = make<RTouchless5>;
    rows[kToolIdTouchless1 + 5] = make<RTouchless6>;
    rows[kToolIdTouchless1 + 6] = make<RTouchless7>;
    rows[kToolIdTouchless1 + 7] = make<RTouchless8>;
    rows[kToolIdTouchless1 + 8] = make<RTouchless9>;
    rows[kToolIdTouchless1 + 9] = make<RTouchless10>;
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
    rows[kToolIdText] = make<RText>;
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
