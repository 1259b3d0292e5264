#include "panels/cutmove/FrameMakerLink.h"

namespace Ostrel {
namespace {

FrameMakerMaker& installed() {
    static FrameMakerMaker maker = nullptr;
    return maker;
}

}  // namespace

void SetFrameMakerMaker(FrameMakerMaker maker) { installed() = maker; }

std::unique_ptr<FrameMakerLink> MakeFrameMaker(CListener* owner, RHotSpotList* hotSpots, const std::vector<FourCC>& kinds) {
    if (!installed()) return nullptr;
    return installed()(owner, hotSpots, kinds);
}

}  // namespace Ostrel
