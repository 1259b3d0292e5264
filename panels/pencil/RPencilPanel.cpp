#include "panels/pencil/RPencilPanel.h"

#include <array>

#include "app/help/HelpContext.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "panels/base/PanelButtons.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelMessages.h"
#include "tools/base/RToolMgr.h"
#include "tools/base/ToolNames.h"
#include "tools/shapes/RCurve.h"
#include "tools/shapes/RFilledCircle.h"
#include "tools/shapes/RFilledPoly.h"
#include "tools/shapes/RFilledSquare.h"
#include "tools/shapes/RLine.h"
#include "tools/shapes/ROCircle.h"
#include "tools/shapes/ROPoly.h"
#include "tools/shapes/ROSquare.h"

namespace Ostrel {
namespace {

constexpr i16 kDefaultKind = 0;
constexpr i16 kDefaultSizeIndex = 1;
constexpr u16 kPencilHelpItemFirst = 828;
// The canvas cursor of each kind.
constexpr std::array<u16, kPencilKindCount> kKindCursors = {3, 0, 1, 2};
// Line-style message less this is the shape tool's id.
constexpr i32 kLineToToolId = 18347;
// Line-style message less this is its button's index in set 18400.
constexpr i32 kLineToButton = 18446;
constexpr u32 kSpriteFlags = 0x800000;

std::unique_ptr<RDragTool> makeShapeTool(i16 toolId, CListener* owner) {
    switch (toolId) {
        case kToolIdLine: return std::make_unique<RLine>(owner);
        case kToolIdCurve: return std::make_unique<RCurve>(owner);
        case kToolIdOSquare: return std::make_unique<ROSquare>(owner);
        case kToolIdFilledSquare: return std::make_unique<RFilledSquare>(owner);
        case kToolIdOCircle: return std::make_unique<ROCircle>(owner);
        case kToolIdFilledCircle: return std::make_unique<RFilledCircle>(owner);
        case kToolIdOPoly: return std::make_unique<ROPoly>(owner);
        case kToolIdFilledPoly: return std::make_unique<RFilledPoly>(owner);
        default: return nullptr;
    }
}

bool isLineStyle(i32 message) { return message >= i32(kMsgPencilLineFirst) && message <= i32(kMsgPencilFreehand); }

}  // namespace

RPencilPanel::RPencilPanel(CListener* owner, const Paths* userPaths) : RToolPanel(owner, userPaths) {
    // In this framework a panel's message base is its own button set.
    SetMessageBase(kPencilButtonSet);
    SetFrameShape(kPencilPanelShape);
}

RPencilPanel::~RPencilPanel() {
    SavePrefs();
    sizeButtons_.clear();
    if (mascotSprite_ != 0) sprDispose(&mascotSprite_);
    Say(kMsgPanelDisableCanvas);
    // The shape tool goes first, while the pencil it draws with still exists; the tool
    // manager lets go of it before either is deleted.
    if (shapeTool_ != nullptr) {
        Say(kToolMsgKild);
        DeleteShapeTool();
    }
}

u16 RPencilPanel::Init() {
    RToolPanel::Init();
    const u16 mascot = sprNew(kSpriteFlags, kPencilMascotShape, nullptr);
    mascotSprite_ = mascot == kSprNoId ? 0 : mascot;
    AddButtons(kPencilSizeButtonSet, &sizeButtons_);
    RestorePrefs();
    return 0;
}

RStrokeTool* RPencilPanel::GetPencil() const { return dynamic_cast<RStrokeTool*>(GetCurrentTool()); }

u16 RPencilPanel::SavePrefs() {
    if (UserPaths() == nullptr) return 0;
    RPanelPrefsTmpl<tPencilPanelSaveData> prefs(*UserPaths(), kPencilPanelSection);
    prefs.GetData() = choices_;
    prefs.Save();
    return 0;
}

u16 RPencilPanel::RestorePrefs() {
    tPencilPanelSaveData stored{};
    stored.fill(kPrefsNotStored);
    if (UserPaths() != nullptr) {
        RPanelPrefsTmpl<tPencilPanelSaveData> prefs(*UserPaths(), kPencilPanelSection);
        stored = prefs.GetData();
    }
    choices_ = {kDefaultKind, kDefaultSizeIndex, i16(kMsgPencilFreehand)};
    if (stored[kPencilWordKind] != kPrefsNotStored) {
        // A hand-edited or damaged file must not pick a button or a tool that is not there.
        if (stored[kPencilWordKind] >= 0 && stored[kPencilWordKind] < kPencilKindCount)
            choices_[kPencilWordKind] = stored[kPencilWordKind];
        if (stored[kPencilWordSize] >= 0 && stored[kPencilWordSize] < kPencilSizeCount)
            choices_[kPencilWordSize] = stored[kPencilWordSize];
        if (isLineStyle(stored[kPencilWordLine])) choices_[kPencilWordLine] = stored[kPencilWordLine];
    }
    const i16 size = choices_[kPencilWordSize];
    const i16 kind = choices_[kPencilWordKind];
    const i16 line = choices_[kPencilWordLine];
    PostMessageTo(this, kMsgPencilSize, kPencilSizeButtonFirst + size);
    SelectPanelButton(sizeButtons_, Ostrel::FindButtonByCommand(sizeButtons_, u16(kPencilSizeButtonFirst + size)));
    PostMessageTo(this, kMsgPencilKind, kPencilKindButtonFirst + kind);
    SelectPanelButton(Buttons(), kind);
    PostMessageTo(this, u32(line));
    SelectPanelButton(Buttons(), line - kLineToButton);
    return 0;
}

u32 RPencilPanel::HandleMessage(RMessage* message, uintptr_t data) {
    const u32 code = message->code;
    if (code == kMsgPencilKind) {
        ChoosePencil(i16(i32(message->param1) - kPencilKindButtonFirst));
        return 0;
    }
    if (code == kMsgPencilSize) {
        ChooseSize(i16(i32(message->param1) - kPencilSizeButtonFirst + 1));
        return 0;
    }
    if (isLineStyle(i32(code))) {
        choices_[kPencilWordLine] = i16(code);
        SetLineShape(code == kMsgPencilFreehand ? i16(-1) : i16(i32(code) - kLineToToolId));
        return 0;
    }
    if (code == kMsgButtonSelected) {
        ReleaseOthersOfGroup({&Buttons(), &sizeButtons_}, message->param2, message->param1);
        return 0;
    }
    return RToolPanel::HandleMessage(message, data);
}

void RPencilPanel::ChoosePencil(i16 kind) {
    if (kind < 0 || kind >= kPencilKindCount) return;
    choices_[kPencilWordKind] = kind;
    // The old pencil goes without 'kild': the manager drops it as it is deleted, and a shape
    // tool is told first, so that it never draws with a deleted pencil.
    if (shapeTool_ != nullptr) shapeTool_->SetPencil(nullptr);
    DeleteCurrentToolQuietly();
    if (!ActivateTool(CreateTool(i16(kToolIdCircle + kind)))) return;
    // The program's help item follows the chosen kind (828-831).
    GetHelpContext().currentItem = u16(kPencilHelpItemFirst + kind);
    EnableCanvas(kKindCursors[size_t(kind)]);
    RStrokeTool* pencil = GetPencil();
    if (shapeTool_ == nullptr) {
        AnnounceTool(pencil);
        return;
    }
    // The shape tool is the manager's tool; the pencil it draws with takes the chosen size.
    pencil->ApplySettings(GetToolSettings());
    shapeTool_->SetPencil(pencil);
}

void RPencilPanel::ChooseSize(i16 number) {
    if (number < 1 || number > kPencilSizeCount) return;
    choices_[kPencilWordSize] = i16(number - 1);
    MutableToolSettings().sizeFactor = float(number);
    AnnounceSettings();
    // The manager hands the size to its current tool; a pencil behind a shape tool needs it too.
    if (shapeTool_ != nullptr && GetPencil() != nullptr) GetPencil()->ApplySettings(GetToolSettings());
}

void RPencilPanel::DeleteShapeTool() {
    if (shapeTool_ == nullptr) return;
    shapeTool_->SetPencil(nullptr);
    shapeTool_.reset();
}

void RPencilPanel::SetLineShape(i16 toolId) {
    Say(kToolMsgKild);
    DeleteShapeTool();
    shapeTool_ = makeShapeTool(toolId, this);
    RStrokeTool* pencil = GetPencil();
    if (shapeTool_ == nullptr) {
        if (pencil != nullptr) AnnounceTool(pencil);
        return;
    }
    ActivateOnCanvas(*shapeTool_);
    if (pencil != nullptr) pencil->ApplySettings(GetToolSettings());
    shapeTool_->SetPencil(pencil);
    AnnounceTool(shapeTool_.get());
}

}  // namespace Ostrel
