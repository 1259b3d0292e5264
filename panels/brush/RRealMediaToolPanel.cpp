#include "panels/brush/RRealMediaToolPanel.h"

#include "app/help/HelpContext.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/controls/RColorPicker.h"
#include "framework/input/RHotSpotItem.h"
#include "panels/base/PanelButtons.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelCommands.h"
#include "panels/base/ToolPanelMessages.h"
#include "panels/brush/BrushChoices.h"
#include "panels/brushsub/RBrushSubPanel.h"
#include "panels/brushsub/RRollerSubPanel.h"
#include "panels/brushsub/RSpraySubPanel.h"
#include "panels/brushsub/RVoiceSubPanel.h"
#include "tools/base/RToolMgr.h"

namespace Ostrel {
namespace {

constexpr u32 kSpriteFlags = 0x800000;
// Said with the panel's last word to the canvas.
constexpr u16 kBrushPanelClosing = 130;

struct Family {
    u16 buttonSet;   // the family's two sub-mode buttons
    size_t modeWord;
    u16 firstMode;   // sub-mode button 0
    u16 secondMode;  // sub-mode button 1
    u16 helpItem;
    u16 cursor;
};

constexpr std::array<Family, kBrushFamilyCount> kFamilies = {{
    {18001, kBrushWordBrushMode, kBrushModeReal, kBrushModeWacky, 838, 15},
    {18002, kBrushWordVoiceMode, kBrushModeVoice, kBrushModeHandsFree, 839, 21},
    {18003, kBrushWordRollerMode, kBrushModeRoller, kBrushModeSpray, 840, 17},
}};

bool isSubMode(u32 code) { return code >= kBrushModeReal && code <= kBrushModeSpray; }
// Each pair of sub-modes belongs to one family, in the order of the messages.
i16 familyOfSubMode(u32 code) {
    switch (code) {
        case kBrushModeReal:
        case kBrushModeWacky: return 0;
        case kBrushModeVoice:
        case kBrushModeHandsFree: return 1;
        default: return 2;
    }
}

}  // namespace

RRealMediaToolPanel::RRealMediaToolPanel(CListener* owner, const Paths* userPaths) : RToolPanel(owner, userPaths) {
    SetMessageBase(kBrushFamilyButtonSet);
    SetFrameShape(kBrushPanelShape);
    choices_ = ValidBrushChoices(tRealMediaSaveData{});
}

RRealMediaToolPanel::~RRealMediaToolPanel() {
    SavePrefs();
    // The spray gun keeps a pointer into its sub-panel's table: the tool goes first.
    DropCurrentTool();
    subPanel_.reset();
    sizeButtons_.clear();
    subModeButtons_.clear();
    if (mascotSprite_ != 0) sprDispose(&mascotSprite_);
    Say(kMsgPanelDisableCanvas, 0, kBrushPanelClosing);
}

u16 RRealMediaToolPanel::Init() {
    RToolPanel::Init();
    const u16 mascot = sprNew(kSpriteFlags, kBrushMascotShape, nullptr);
    mascotSprite_ = mascot == kSprNoId ? 0 : mascot;
    AddButtons(kBrushSizeButtonSet, &sizeButtons_);
    RestorePrefs();
    // The wacky brushes among the panel's draw solid things with OpenGL into the canvas.
    Say(kMsgPanelBindRenderer);
    return 0;
}

size_t RRealMediaToolPanel::ItemIndex(i16 family) const {
    if (family < 0 || family >= kBrushFamilyCount) return 0;
    const Family& f = kFamilies[size_t(family)];
    return size_t(2 * family) + (u16(choices_[f.modeWord]) == f.secondMode ? 1 : 0);
}

u16 RRealMediaToolPanel::SavePrefs() {
    if (UserPaths() == nullptr) return 0;
    RPanelPrefsTmpl<tRealMediaSaveData> prefs(*UserPaths(), kRealMediaPanelSection);
    prefs.GetData() = choices_;
    prefs.Save();
    return 0;
}

u16 RRealMediaToolPanel::RestorePrefs() {
    tRealMediaSaveData stored{};
    stored.fill(kPrefsNotStored);
    if (UserPaths() != nullptr) {
        RPanelPrefsTmpl<tRealMediaSaveData> prefs(*UserPaths(), kRealMediaPanelSection);
        stored = prefs.GetData();
    }
    choices_ = ValidBrushChoices(stored);
    const i16 size = choices_[kBrushWordSize];
    const i16 family = choices_[kBrushWordFamily];
    PostMessageTo(this, kMsgBrushSize, kBrushSizeButtonFirst + size);
    SelectPanelButton(sizeButtons_, Ostrel::FindButtonByCommand(sizeButtons_, u16(kBrushSizeButtonFirst + size)));
    PostMessageTo(this, kMsgBrushFamilyBrushes + u32(family));
    SelectPanelButton(Buttons(), family);
    return 0;
}

void RRealMediaToolPanel::SetSizeButtonsShown(bool shown) {
    for (const auto& button : sizeButtons_) {
        if (shown)
            button->Show();
        else
            button->Hide();
    }
}

void RRealMediaToolPanel::ShowFamily(i16 family) {
    // The tool may point into the sub-panel (the spray gun into its table): it goes first.
    DropCurrentTool();
    subPanel_.reset();
    choices_[kBrushWordFamily] = family;
    const Family& f = kFamilies[size_t(family)];
    GetHelpContext().currentItem = f.helpItem;
    // The rollers and sprays have one size.
    SetSizeButtonsShown(family != 2);
    if (SprSprite* frame = sprFind(GetPanelSprite()))
        sprSetShape(frame, family != 2 ? kBrushPanelShape : kBrushPanelOneSizeShape, nullptr, 0);
    subModeButtons_.clear();
    AddButtons(f.buttonSet, &subModeButtons_);
    const u16 mode = u16(choices_[f.modeWord]);
    SelectPanelButton(subModeButtons_, mode == f.firstMode ? 0 : 1);
    const int item = choices_[kBrushWordFirstItem + ItemIndex(family)];
    switch (mode) {
        case kBrushModeReal:
        case kBrushModeWacky: ShowSubPanel(std::make_unique<RBrushSubPanel>(this, mode)); break;
        case kBrushModeVoice:
        case kBrushModeHandsFree: ShowSubPanel(std::make_unique<RVoiceSubPanel>(this, mode)); break;
        case kBrushModeRoller: {
            auto roller = std::make_unique<RRollerSubPanel>(this);
            RRollerSubPanel& shown = *roller;
            ShowSubPanel(std::move(roller));
            shown.Start(item);
            break;
        }
        default: {
            auto spray = std::make_unique<RSpraySubPanel>(this);
            RSpraySubPanel& shown = *spray;
            ShowSubPanel(std::move(spray));
            shown.Start(item);
            break;
        }
    }
    if (family != 2) subPanel_->InitScroller(kBrushStripLayout, item);
    EnableCanvas(f.cursor);
}

void RRealMediaToolPanel::ShowSubPanel(std::unique_ptr<RScrollToolPanel> panel) {
    panel->SetCanvasRect(GetCanvasRect());
    subPanel_ = std::move(panel);
}

void RRealMediaToolPanel::ChooseSize(i16 number) {
    if (number < 1 || number > kBrushSizeCount) return;
    choices_[kBrushWordSize] = i16(number - 1);
    MutableToolSettings().sizeFactor = float(number);
    AnnounceSettings();
}

void RRealMediaToolPanel::ChooseItem(const RMessage& message) {
    const i16 family = GetFamily();
    DropCurrentTool();
    i16 toolIndex = -1;
    if (family == 2) {
        // The roller sub-panel builds its own tool; the spray sub-panel names the spray gun.
        if (message.param1 == 1) return;
        toolIndex = i16(message.param2);
    } else {
        if (subPanel_ == nullptr) return;
        toolIndex = subPanel_->ToolIndexOfItem(message.param2);
        if (toolIndex < 0) return;
        choices_[kBrushWordFirstItem + ItemIndex(family)] = i16(message.param2);
    }
    if (ActivateTool(CreateTool(toolIndex))) AnnounceTool(GetCurrentTool());
}

u32 RRealMediaToolPanel::HandleMessage(RMessage* message, uintptr_t data) {
    const u32 code = message->code;
    if (code >= kMsgBrushFamilyBrushes && code <= kMsgBrushFamilyRollers) {
        ShowFamily(i16(code - kMsgBrushFamilyBrushes));
        return 0;
    }
    if (isSubMode(code)) {
        const i16 family = familyOfSubMode(code);
        choices_[kFamilies[size_t(family)].modeWord] = i16(code);
        ShowFamily(family);
        return 0;
    }
    if (code == kMsgBrushSize) {
        ChooseSize(i16(i32(message->param1) - kBrushSizeButtonFirst + 1));
        return 0;
    }
    if (subPanel_ != nullptr && message->sender == subPanel_.get() && (code == kToolMsgBorn || code == kToolMsgKild)) {
        // The roller's own tool reaches the tool manager through this panel.
        Say(code, message->param1, message->param2);
        return 0;
    }
    switch (code) {
        case kMsgScrollerHit: ChooseItem(*message); return 0;
        case kMsgSprayItemChosen:
        case kMsgRollerItemChosen:
            choices_[kBrushWordFirstItem + ItemIndex(GetFamily())] = i16(message->param2);
            return 0;
        case kMsgSprayPatternChosen:
            if (GetCurrentTool() != nullptr) GetCurrentTool()->HandleToolMessage(*message, data);
            return 0;
        case kMsgColorSet:
        case kMsgColorChosen:
            if (subPanel_ != nullptr) subPanel_->HandleMessage(message, data);
            if (code == kMsgColorChosen) RefreshColorButtons();
            return 0;
        case kMsgPanelSelectItem:
        case kMsgPanelReadSettingsAgain:
            if (subPanel_ != nullptr) subPanel_->HandleMessage(message, data);
            return 0;
        case kMsgButtonSelected:
            ReleaseOthersOfGroup({&Buttons(), &subModeButtons_, &sizeButtons_}, message->param2, message->param1);
            return 0;
        default: return RToolPanel::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
