#include "app/dialogs/RDlgBase.h"

#include <cstring>

#include "app/menus/RMenuOwner.h"
#include "app/window/RDisplayWindow.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/resources/NamedResources.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/input/RHotSpotList.h"
#include "framework/language/LanguageTexts.h"
#include "platform/keyboard/VirtualKeys.h"

namespace Ostrel {

namespace {

void tellContentMissing() {
    mfxAlert(kAlertOk, LookupLanguageText("ContentStrings", "NoDataMustQuit").c_str(), "Ostrel");
}

}  // namespace

RDlgBase::RDlgBase(CListener* owner, u32 kind) : RSender(kDialogSenderTag), owner_(owner), kind_(kind ? kind : 1) {}

RDlgBase::~RDlgBase() {
    if (notOpen_ == 0) Close();
    Unregister();
}

void RDlgBase::Close() {
    Unregister();
    buttons_.Clear();
    if (rootSprite_) sprDispose(&rootSprite_);
    if (layoutSprite_) sprDispose(&layoutSprite_);
    sprReleaseGroup(layoutId_, 0);
    ReleaseNamedResource(name_);
    notOpen_ = 1;
    // A dialog of a screen, panel, canvas, the window or the application hands the menus back.
    if (dynamic_cast<RMenuOwner*>(owner_) != nullptr) {
        if (RDisplayWindow* window = RDisplayWindow::Get()) window->RestoreMenusAfterDialog();
    }
}

i16 RDlgBase::Run(const char* name, u16 layoutId) {
    if (name == nullptr) {
        notOpen_ = 1;
        return 1;
    }
    std::strncpy(name_, name, kDialogNameSize - 1);
    notOpen_ = OpenNamedResource(name_, 1);
    if (notOpen_ != 0) {
        tellContentMissing();
        return 1;
    }
    layoutId_ = layoutId;
    if (sprLoadGroup(layoutId, kSprEveryScript, 0, 1, kSprFirstIsGroupId) == kSprNoSlot) {
        // A damaged archive may open and still give no art: a dialog built without it would
        // show nothing to answer with, so it does not open.
        ReleaseNamedResource(name_);
        notOpen_ = 1;
        tellContentMissing();
        return 1;
    }
    sprNewCompound(layoutId, &layout_);
    layoutSprite_ = layout_.id;
    rootSprite_ = sprNew(kDialogRootSpriteFlags, layoutId, nullptr);
    if (rootSprite_ == kSprNoId) rootSprite_ = 0;
    RHotSpotList::LeaveAll();
    Register(kDialogInputMask);
    BuildButtons();
    if (rootSprite_) buttons_.SetLayer(rootSprite_);
    if (RDisplayWindow* window = RDisplayWindow::Get(); window && window->IsMenuBarLoaded()) window->SetMenuBarDisabled(1);
    return 0;
}

void RDlgBase::BuildButtons() { buttons_.Build(this, kDialogButtonSet); }

u32 RDlgBase::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code == kMsgDialogAnswer) Answer(result_, reinterpret_cast<uintptr_t>(this), 0);
    return 0;
}

int RDlgBase::FindButtonById(u16 id) const { return FindButtonByCommand(buttons_.Buttons(), id); }

void RDlgBase::Answer(u16 result, uintptr_t param1, u16 param2) {
    result_ = result;
    PostMessageTo(owner_, kind_, param1, param2);
}

bool RDlgBase::LeaveOnEscape(u32 key) {
    if (notOpen_ != 0 || keyRecordVirtualKey(key) != plat::kVkEscape) return false;
    RMessage leave(kDlgResultLeave, 0, 0);
    HandleMessage(&leave, 0);
    return true;
}

u32 RDlgBase::HandleKey(u32 key) {
    LeaveOnEscape(key);
    return 1;
}
u32 RDlgBase::HandleKeyUp(u32) { return 1; }
u32 RDlgBase::HandleInput(u32, Point16, u32) { return 1; }
u32 RDlgBase::HandleMouseUp(u32, Point16, u32) { return 1; }
u32 RDlgBase::HandleMouseMove(Point16, u32) { return 1; }

void RDlgBase::HandleActivation(u32) {
    RDisplayWindow* window = RDisplayWindow::Get();
    if (window && window->IsMenuBarLoaded() && window->IsMenuDisabled() == 0) window->SetMenuBarDisabled(1);
}

}  // namespace Ostrel
