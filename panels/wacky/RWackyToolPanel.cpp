#include "panels/wacky/RWackyToolPanel.h"

#include "app/help/HelpContext.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "panels/base/ToolPanelMessages.h"

namespace Ostrel {
namespace {

constexpr i16 kWackyFirst = 20;
constexpr i16 kWackyEnd = 45;
constexpr u16 kBrushCursor = 15;
constexpr u16 kWackyHelpItem = 839;
constexpr u32 kSpriteFlags = 0x800000;

}  // namespace

// The panel has the strip only: its message base names no button set.
RWackyToolPanel::RWackyToolPanel(CListener* owner) : RScrollToolPanel(owner, nullptr) {
    SetMessageBase(0);
    SetFrameShape(kWackyPanelShape);
}

RWackyToolPanel::~RWackyToolPanel() {
    if (mascotSprite_ != 0) sprDispose(&mascotSprite_);
    Say(kMsgPanelDisableCanvas);
}

u16 RWackyToolPanel::Init() {
    // InitScroller comes back here for the base's part.
    if (started_) return RScrollToolPanel::Init();
    started_ = true;
    InitScroller(kWackyStripLayout, 0);
    const u16 mascot = sprNew(kSpriteFlags, kWackyMascotShape, nullptr);
    mascotSprite_ = mascot == kSprNoId ? 0 : mascot;
    GetHelpContext().currentItem = kWackyHelpItem;
    EnableCanvas(kBrushCursor);
    return 0;
}

i16 RWackyToolPanel::FirstToolIndex() const { return kWackyFirst; }

i16 RWackyToolPanel::EndToolIndex() const { return kWackyEnd; }

u32 RWackyToolPanel::HandleMessage(RMessage* message, uintptr_t data) {
    if (message->code == kMsgScrollerHit) {
        const i16 index = ToolIndexOfItem(message->param2);
        if (index < 0) return 0;
        DropCurrentTool();
        if (ActivateTool(CreateTool(index))) AnnounceTool(GetCurrentTool());
        return 0;
    }
    return RScrollToolPanel::HandleMessage(message, data);
}

}  // namespace Ostrel
