#include "panels/eraser/REraserPanel.h"

#include "app/help/HelpContext.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "framework/resources/mfxReadResource.h"
#include "panels/base/PanelButtons.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelMessages.h"
#include "tools/base/RToolMgr.h"
#include "tools/base/ToolNames.h"
#include "tools/erasers/PageEraseFactory.h"
#include "tools/erasers/REraserTool.h"
#include "tools/erasers/RPageEraseTool.h"

namespace Ostrel {
namespace {

constexpr i16 kDefaultSize = 3;
constexpr u16 kPlainHelpItem = 898;
constexpr u16 kEffectsHelpItem = 899;
constexpr u16 kPlainCursor = 5;
constexpr u16 kEffectsCursor = 4;
constexpr u32 kSpriteFlags = 0x800000;
// The covers over the tip buttons and over the size buttons while the effects page shows.
constexpr u16 kShapeCover = 18166;
constexpr u16 kRoundSizeCover = 18149;
constexpr u16 kSquareSizeCover = 18159;

}  // namespace

tEraserSaveData ValidEraserChoices(const tEraserSaveData& stored) {
    tEraserSaveData valid{i16(kMsgEraserPlainPage), kDefaultSize, i16(kMsgEraserRound), 0};
    if (stored[kEraserWordSize] == kPrefsNotStored) return valid;
    if (stored[kEraserWordPage] == i16(kMsgEraserEffectsPage)) valid[kEraserWordPage] = stored[kEraserWordPage];
    if (stored[kEraserWordSize] >= 1 && stored[kEraserWordSize] <= kEraserSizeCount)
        valid[kEraserWordSize] = stored[kEraserWordSize];
    if (stored[kEraserWordShape] == i16(kMsgEraserSquare)) valid[kEraserWordShape] = stored[kEraserWordShape];
    // An effect past the strip falls back on the first when the page is shown.
    if (stored[kEraserWordEffect] >= 0) valid[kEraserWordEffect] = stored[kEraserWordEffect];
    return valid;
}

REraserPanel::REraserPanel(CListener* owner, const Paths* userPaths) : RScrollToolPanel(owner, userPaths) {
    SetMessageBase(kEraserPageButtonSet);
    SetFrameShape(kEraserPanelShape);
}

REraserPanel::~REraserPanel() {
    SavePrefs();
    DropCurrentTool();
    FreeCovers();
    sizeButtons_.clear();
    shapeButtons_.clear();
    if (mascotSprite_ != 0) sprDispose(&mascotSprite_);
    Say(kMsgPanelDisableCanvas);
}

u16 REraserPanel::Init() {
    // InitScroller comes back here for the base's part.
    if (started_) return RScrollToolPanel::Init();
    started_ = true;
    InitScroller(kEraserStripLayout, -1);
    const u16 mascot = sprNew(kSpriteFlags, kEraserMascotShape, nullptr);
    mascotSprite_ = mascot == kSprNoId ? 0 : mascot;
    AddButtons(kEraserShapeButtonSet, &shapeButtons_);
    RestorePrefs();
    return 0;
}

tEraserSaveData REraserPanel::SavedChoices() const {
    tEraserSaveData saved = choices_;
    const bool effect = dynamic_cast<RPageEraseTool*>(GetCurrentTool()) != nullptr;
    saved[kEraserWordPage] = i16(effect ? kMsgEraserEffectsPage : kMsgEraserPlainPage);
    return saved;
}

u16 REraserPanel::SavePrefs() {
    if (UserPaths() == nullptr) return 0;
    RPanelPrefsTmpl<tEraserSaveData> prefs(*UserPaths(), kEraserPanelSection);
    prefs.GetData() = SavedChoices();
    prefs.Save();
    return 0;
}

u16 REraserPanel::RestorePrefs() {
    tEraserSaveData stored{};
    stored.fill(kPrefsNotStored);
    if (UserPaths() != nullptr) {
        RPanelPrefsTmpl<tEraserSaveData> prefs(*UserPaths(), kEraserPanelSection);
        stored = prefs.GetData();
    }
    choices_ = ValidEraserChoices(stored);
    PostMessageTo(this, kMsgEraserSize, 0, u16(choices_[kEraserWordSize]));
    PostMessageTo(this, u32(u16(choices_[kEraserWordShape])));
    PostMessageTo(this, u32(u16(choices_[kEraserWordPage])));
    SelectPanelButton(Buttons(), choices_[kEraserWordPage] - i16(kMsgEraserEffectsPage));
    return 0;
}

void REraserPanel::SetOptionsEnabled(bool enabled) {
    for (const RButtonSet* set : {&shapeButtons_, &sizeButtons_})
        for (const auto& button : *set) button->EnableHotSpot(enabled);
}

void REraserPanel::FreeCovers() {
    for (u16& cover : covers_)
        if (cover != 0) sprDispose(&cover);
    covers_.clear();
}

void REraserPanel::ShowPlainPage() {
    page_ = kMsgEraserPlainPage;
    GetHelpContext().currentItem = kPlainHelpItem;
    SetOptionsEnabled(true);
    FreeCovers();
    DropCurrentTool();
    effects_.clear();
    SetPictureItems({});
    SetStripShown(false);
    if (ActivateTool(CreateTool(kToolIdEraser))) AnnounceTool(GetCurrentTool());
    ChooseShape(u32(u16(choices_[kEraserWordShape])));
    EnableCanvas(kPlainCursor);
}

void REraserPanel::ShowEffectsPage() {
    page_ = kMsgEraserEffectsPage;
    GetHelpContext().currentItem = kEffectsHelpItem;
    SetOptionsEnabled(false);
    FreeCovers();
    const bool round = choices_[kEraserWordShape] == i16(kMsgEraserRound);
    for (u16 shape : {kShapeCover, round ? kRoundSizeCover : kSquareSizeCover}) {
        const u16 cover = sprNew(kSpriteFlags, shape, nullptr);
        if (cover != kSprNoId) covers_.push_back(cover);
    }
    DropCurrentTool();
    effects_.clear();
    std::vector<ScrollerPicture> icons;
    for (i16 index = kToolIdFirstPageErase; index <= kToolIdLastPageErase; ++index) {
        std::unique_ptr<RDestructo> effect = createPageErase(this, index);
        if (effect == nullptr) continue;
        ScrollerPicture icon;
        mfxReadResource(kSprPictureType, effect->GetIconId(), &icon);
        icons.push_back(std::move(icon));
        effects_.push_back(index);
    }
    SetPictureItems(std::move(icons));
    SetStripShown(true);
    const int item = choices_[kEraserWordEffect];
    ChooseEffect(item >= 0 && item < int(effects_.size()) ? item : 0);
    EnableCanvas(kEffectsCursor);
}

void REraserPanel::ChooseEffect(int item) {
    // The plain page has no effects.
    if (item < 0 || size_t(item) >= effects_.size()) return;
    choices_[kEraserWordEffect] = i16(item);
    SelectItem(item);
    DropCurrentTool();
    if (ActivateTool(std::make_unique<RPageEraseTool>(effects_[size_t(item)]))) AnnounceTool(GetCurrentTool());
}

void REraserPanel::ChooseShape(u32 message) {
    const bool round = message == kMsgEraserRound;
    choices_[kEraserWordShape] = i16(round ? kMsgEraserRound : kMsgEraserSquare);
    // Only the plain eraser has a tip; an effect (or no tool) takes none.
    if (auto* eraser = dynamic_cast<REraserTool*>(GetCurrentTool()))
        eraser->SetShape(round ? kEraserShapeRound : kEraserShapeSquare);
    sizeButtons_.clear();
    AddButtons(round ? kEraserRoundSizeSet : kEraserSquareSizeSet, &sizeButtons_);
    SelectPanelButton(sizeButtons_, choices_[kEraserWordSize] - 1);
    SelectPanelButton(shapeButtons_, round ? 0 : 1);
    if (page_ == kMsgEraserEffectsPage) SetOptionsEnabled(false);
}

void REraserPanel::ChooseSize(i16 number) {
    if (number < 1 || number > kEraserSizeCount) return;
    choices_[kEraserWordSize] = number;
    MutableToolSettings().sizeFactor = float(number);
    AnnounceSettings();
}

u32 REraserPanel::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
        case kMsgEraserSize: {
            const i16 number = message->param1 != 0
                                   ? i16(Ostrel::FindButtonByCommand(sizeButtons_, u16(message->param1)) + 1)
                                   : i16(message->param2);
            ChooseSize(number);
            return 0;
        }
        case kMsgEraserRound:
        case kMsgEraserSquare: ChooseShape(message->code); return 0;
        case kMsgEraserPlainPage: ShowPlainPage(); return 0;
        case kMsgEraserEffectsPage: ShowEffectsPage(); return 0;
        case kMsgScrollerHit:
            // A choice that arrives while the panel is out of service is dropped.
            if (IsActive()) ChooseEffect(message->param2);
            return 0;
        case kMsgButtonSelected:
            ReleaseOthersOfGroup({&Buttons(), &shapeButtons_, &sizeButtons_}, message->param2, message->param1);
            return 0;
        default: return RScrollToolPanel::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
