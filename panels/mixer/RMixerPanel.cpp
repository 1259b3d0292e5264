#include "panels/mixer/RMixerPanel.h"

#include <algorithm>
#include <array>

#include "app/help/HelpContext.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "panels/base/PanelButtons.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelMessages.h"
#include "tools/base/RToolMgr.h"

namespace Ostrel {
namespace {

struct Page {
    i16 firstTool;
    i16 endTool;
    u16 helpItem;
    u16 cursor;
    bool sized;  // the whole-picture effects have no size: their page hides the sizes
};

constexpr std::array<Page, kMixerPageCount> kPages = {{{65, 87, 858, 10, false}, {87, 99, 859, 11, true}}};
constexpr i16 kDefaultSizeIndex = 2;
constexpr u32 kSpriteFlags = 0x800000;

}  // namespace

tMixerSaveData ValidMixerChoices(const tMixerSaveData& stored) {
    tMixerSaveData valid{0, kDefaultSizeIndex, 0, 0};
    if (stored[kMixerWordSize] == kPrefsNotStored) return valid;
    if (stored[kMixerWordPage] >= 0 && stored[kMixerWordPage] < kMixerPageCount) valid[kMixerWordPage] = stored[kMixerWordPage];
    if (stored[kMixerWordSize] >= 0 && stored[kMixerWordSize] < kMixerSizeCount) valid[kMixerWordSize] = stored[kMixerWordSize];
    // Items past a strip fall back on its first when the page is shown.
    for (size_t i = kMixerWordFirstItem; i < valid.size(); ++i) valid[i] = std::max<i16>(stored[i], 0);
    return valid;
}

RMixerPanel::RMixerPanel(CListener* owner, const Paths* userPaths) : RScrollToolPanel(owner, userPaths) {
    SetMessageBase(kMixerPageButtonSet);
    SetFrameShape(kMixerPanelShape);
}

RMixerPanel::~RMixerPanel() {
    SavePrefs();
    sizeButtons_.clear();
    if (mascotSprite_ != 0) sprDispose(&mascotSprite_);
    Say(kMsgPanelDisableCanvas);
}

u16 RMixerPanel::Init() {
    // InitScroller comes back here for the base's part.
    if (started_) return RScrollToolPanel::Init();
    started_ = true;
    InitScroller(kMixerStripLayout, -1);
    const u16 mascot = sprNew(kSpriteFlags, kMixerMascotShape, nullptr);
    mascotSprite_ = mascot == kSprNoId ? 0 : mascot;
    AddButtons(kMixerSizeButtonSet, &sizeButtons_);
    RestorePrefs();
    return 0;
}

i16 RMixerPanel::FirstToolIndex() const { return page_ < 0 ? 1 : kPages[size_t(page_)].firstTool; }

i16 RMixerPanel::EndToolIndex() const { return page_ < 0 ? 0 : kPages[size_t(page_)].endTool; }

u16 RMixerPanel::SavePrefs() {
    if (UserPaths() == nullptr) return 0;
    RPanelPrefsTmpl<tMixerSaveData> prefs(*UserPaths(), kMixerPanelSection);
    prefs.GetData() = choices_;
    prefs.Save();
    return 0;
}

u16 RMixerPanel::RestorePrefs() {
    tMixerSaveData stored{};
    stored.fill(kPrefsNotStored);
    if (UserPaths() != nullptr) {
        RPanelPrefsTmpl<tMixerSaveData> prefs(*UserPaths(), kMixerPanelSection);
        stored = prefs.GetData();
    }
    choices_ = ValidMixerChoices(stored);
    const i16 page = choices_[kMixerWordPage];
    const i16 size = choices_[kMixerWordSize];
    SelectPanelButton(Buttons(), page);
    PostMessageTo(this, kMsgMixerEffectsPage + u32(page));
    PostMessageTo(this, kMsgMixerSize, kMixerSizeButtonFirst + size);
    SelectPanelButton(sizeButtons_, Ostrel::FindButtonByCommand(sizeButtons_, u16(kMixerSizeButtonFirst + size)));
    return 0;
}

void RMixerPanel::ShowPage(i16 page) {
    const Page& p = kPages[size_t(page)];
    GetHelpContext().currentItem = p.helpItem;
    page_ = page;
    choices_[kMixerWordPage] = page;
    DropCurrentTool();
    for (const auto& button : sizeButtons_) {
        if (p.sized)
            button->Show();
        else
            button->Hide();
    }
    if (SprSprite* frame = sprFind(GetPanelSprite())) sprSetShape(frame, p.sized ? kMixerPanelShape : kMixerPanelUnsizedShape, nullptr, 0);
    LoadToolIcons();
    EnableCanvas(p.cursor);
    // The page's remembered tool is chosen again, ready to paint.
    const int item = choices_[kMixerWordFirstItem + size_t(page)];
    ChooseItem(item >= 0 && item < ItemCount() ? item : 0);
}

void RMixerPanel::ChooseItem(int item) {
    const i16 index = ToolIndexOfItem(item);
    if (index < 0) return;
    choices_[kMixerWordFirstItem + size_t(page_)] = i16(item);
    SelectItem(item);
    DropCurrentTool();
    if (ActivateTool(CreateTool(index))) AnnounceTool(GetCurrentTool());
}

void RMixerPanel::ChooseSize(i16 number) {
    if (number < 1 || number > kMixerSizeCount) return;
    choices_[kMixerWordSize] = i16(number - 1);
    MutableToolSettings().sizeFactor = float(number);
    AnnounceSettings();
}

u32 RMixerPanel::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
        case kMsgMixerEffectsPage:
        case kMsgMixerBrushesPage: ShowPage(i16(message->code - kMsgMixerEffectsPage)); return 0;
        case kMsgMixerSize: ChooseSize(i16(i32(message->param1) - kMixerSizeButtonFirst + 1)); return 0;
        case kMsgScrollerHit: ChooseItem(message->param2); return 0;
        case kMsgButtonSelected:
            ReleaseOthersOfGroup({&Buttons(), &sizeButtons_}, message->param2, message->param1);
            return 0;
        default: return RScrollToolPanel::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
