#include "panels/fill/RFillPanel.h"

#include <algorithm>
#include <array>

#include "app/help/HelpContext.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "framework/controls/RAlphaBitmapScroller.h"
#include "framework/controls/RColorPicker.h"
#include "framework/resources/mfxReadResource.h"
#include "panels/base/PanelButtons.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelMessages.h"
#include "tools/base/RToolMgr.h"
#include "tools/base/ToolNames.h"

namespace Ostrel {
namespace {

struct Mode {
    i16 tool;
    u16 helpItem;
    u16 firstPicture;  // the strip's pictures, from here until one is missing
    u16 patternBase;   // item i fills with pattern patternBase + i
};

constexpr std::array<Mode, kFillModeCount> kModes = {{
    {kToolIdSolidFill, 848, 21500, 20500},
    {kToolIdGradientFill, 849, 21300, 21300},
    {kToolIdPatternFill, 850, 21400, 20400},
}};
constexpr u16 kFillCursor = 7;
constexpr u32 kSpriteFlags = 0x800000;

}  // namespace

tFillPanelSaveData ValidFillChoices(const tFillPanelSaveData& stored) {
    tFillPanelSaveData valid{0, 0, 0, 0};
    if (stored[kFillWordMode] == kPrefsNotStored) return valid;
    if (stored[kFillWordMode] >= 0 && stored[kFillWordMode] < kFillModeCount) valid[kFillWordMode] = stored[kFillWordMode];
    // Items past a strip fall back on its first when the strip is shown.
    for (size_t i = kFillWordFirstItem; i < valid.size(); ++i) valid[i] = std::max<i16>(stored[i], 0);
    return valid;
}

RFillPanel::RFillPanel(CListener* owner, const Paths* userPaths) : RScrollToolPanel(owner, userPaths) {
    SetMessageBase(kFillButtonSet);
    SetFrameShape(kFillPanelShape);
}

RFillPanel::~RFillPanel() {
    SavePrefs();
    if (mascotSprite_ != 0) sprDispose(&mascotSprite_);
    Say(kMsgPanelDisableCanvas);
}

u16 RFillPanel::Init() {
    // InitScroller comes back here for the base's part.
    if (started_) return RScrollToolPanel::Init();
    started_ = true;
    InitScroller(kFillStripLayout, -1);
    const u16 mascot = sprNew(kSpriteFlags, kFillMascotShape, nullptr);
    mascotSprite_ = mascot == kSprNoId ? 0 : mascot;
    RestorePrefs();
    return 0;
}

std::unique_ptr<RBitmapScroller> RFillPanel::NewScroller(u16 layoutId, u16 firstHotSpotId) {
    // The solid fills' icons are masks drawn in the paint colour.
    if (mode_ == 0) return std::make_unique<RAlphaBitmapScroller>(this, layoutId, ArrowShape(), firstHotSpotId);
    return RScrollToolPanel::NewScroller(layoutId, firstHotSpotId);
}

u16 RFillPanel::SavePrefs() {
    if (UserPaths() == nullptr) return 0;
    RPanelPrefsTmpl<tFillPanelSaveData> prefs(*UserPaths(), kFillPanelSection);
    prefs.GetData() = choices_;
    prefs.Save();
    return 0;
}

u16 RFillPanel::RestorePrefs() {
    tFillPanelSaveData stored{};
    stored.fill(kPrefsNotStored);
    if (UserPaths() != nullptr) {
        RPanelPrefsTmpl<tFillPanelSaveData> prefs(*UserPaths(), kFillPanelSection);
        stored = prefs.GetData();
    }
    choices_ = ValidFillChoices(stored);
    const i16 mode = choices_[kFillWordMode];
    PostMessageTo(this, kMsgFillSolid + u32(mode));
    SelectPanelButton(Buttons(), mode);
    return 0;
}

void RFillPanel::ShowMode(i16 mode) {
    if (mode == mode_) return;
    const Mode& m = kModes[size_t(mode)];
    mode_ = mode;
    choices_[kFillWordMode] = mode;
    std::vector<ScrollerPicture> pictures;
    for (u32 id = m.firstPicture; id <= 0xFFFF; ++id) {
        ScrollerPicture picture;
        if (mfxReadResource(kSprPictureType, u16(id), &picture) != kErrNone) break;
        pictures.push_back(std::move(picture));
    }
    ReplaceScroller();
    SetPictureItems(std::move(pictures));
    RefreshColorButtons();
    DropCurrentTool();
    GetHelpContext().currentItem = m.helpItem;
    EnableCanvas(kFillCursor);
    // A fill bucket that cannot be built leaves the panel without a tool; a choice does nothing.
    if (!ActivateTool(CreateTool(m.tool)) || GetFill() == nullptr) {
        DropCurrentTool();
        return;
    }
    // The mode's remembered fill is chosen again, so the bucket is ready to pour.
    const int item = choices_[kFillWordFirstItem + size_t(mode)];
    ChooseItem(item >= 0 && item < ItemCount() ? item : 0);
}

void RFillPanel::ChooseItem(int item) {
    RFill* fill = GetFill();
    if (item < 0 || item >= ItemCount() || fill == nullptr) return;
    choices_[kFillWordFirstItem + size_t(mode_)] = i16(item);
    SelectItem(item);
    fill->SetFillPatternId(u16(kModes[size_t(mode_)].patternBase + item));
    AnnounceTool(fill);
}

u32 RFillPanel::HandleMessage(RMessage* message, uintptr_t data) {
    const u32 code = message->code;
    if (code >= kMsgFillSolid && code <= kMsgFillPattern) {
        ShowMode(i16(code - kMsgFillSolid));
        return 0;
    }
    switch (code) {
        case kMsgScrollerHit: ChooseItem(message->param2); return 0;
        case kMsgColorSet:
        case kMsgColorChosen:
            RefreshColorButtons();
            if (GetScroller() != nullptr) GetScroller()->Refresh(kRefreshAll);
            return 0;
        case kMsgButtonSelected: ReleaseOthersOfGroup({&Buttons()}, message->param2, message->param1); return 0;
        default: return RScrollToolPanel::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
