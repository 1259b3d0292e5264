#include "app/help/RHelp.h"

#include "app/help/HelpPages.h"
#include "app/help/RHelpDlg.h"
#include "app/window/RDisplayWindow.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/resources/NamedResources.h"
#include "framework/input/HSInfo.h"
#include "framework/input/RCursorTable.h"

namespace Ostrel {

RHelp::RHelp(CListener* owner, const std::string& helpName)
    : RSender(kHelpSenderTag), owner_(owner), helpName_(helpName) {}

RHelp::~RHelp() {
    page_.reset();
    if (RDisplayWindow* window = RDisplayWindow::Get()) window->RemoveListener(this);
    for (RButtonSet& set : sets_) set.clear();
    list_.reset();
    if (groupHeld_) sprReleaseGroup(kHelpShapeGroup, 0);
    if (contentOpen_) ReleaseNamedResource(helpName_.c_str());
    Unregister();
    // Help mode is over: the help cursor goes with it.
    gfxSetCursorId(cursorForIndex(kCursorIndexStandard));
}

i16 RHelp::Start(u16 set1, u16 set2, u16 set3) {
    if (RDisplayWindow* window = RDisplayWindow::Get()) window->AddListener(this);
    Register(kInputMouseButtons | kInputMouseMove);
    ShowHelpCursor();
    if (!helpName_.empty()) contentOpen_ = OpenNamedResource(helpName_.c_str(), 1) == kErrNone;
    groupHeld_ = sprLoadGroup(kHelpShapeGroup, kSprEveryScript, 0, 1, kSprFirstIsGroupId) != kSprNoSlot;
    list_ = std::make_unique<RHotSpotList>(this);
    if (const SprScreen* screen = sprScreen()) sprInvalRect(screen->screenRect);
    const std::array<u16, 3> ids{set1, set2, set3};
    for (size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] != 0) sets_[i] = LoadButtonsFromKVR(this, list_.get(), ids[i], kButtonSpriteFlags);
    }
    for (int i = 0; i < list_->Count(); ++i) list_->GetHotSpot(i)->SetCursorIds(kHelpCursorOver, kHelpCursorPressed);
    return 0;
}

int RHelp::ButtonCount() const {
    int count = 0;
    for (const RButtonSet& set : sets_) count += int(set.size());
    return count;
}

void RHelp::ShowHelp(const char* itemName, u32 reply) {
    if (!itemName) return;
    // One page at a time: the open one goes before the next is made.
    page_.reset();
    auto page = std::make_unique<RHelpDlg>(this, reply);
    page->SetDemoOption(demoOption_);
    if (page->Open(itemName) != 0) return;
    page_ = std::move(page);
}

u32 RHelp::HandleMessage(RMessage* message, uintptr_t) {
    // A page's closing reply: the page is deleted now, after its own handler has returned.
    if ((message->code == kHelpReplyEasel || message->code == kHelpReplyPicker || message->code == kHelpDlgDefaultReply) &&
        page_ && message->param1 == reinterpret_cast<uintptr_t>(page_.get())) {
        page_.reset();
        Finish();
        return 0;
    }
    const HelpPage page = HelpPageFor(message->code);
    if (!page.name) return 0;
    demoOption_ = message->code == kHelpDemoElement ? kHelpDemoElement : 0;
    ShowHelp(page.name, page.reply);
    return 0;
}

void RHelp::Finish() {
    if (finished_) return;
    finished_ = true;
    PostMessageTo(owner_, kMsgHelpFinished, 0, 0);
}

void RHelp::ShowHelpCursor() {
    if (const plat::cursor::CursorId cursor = cursorForIndex(kHelpCursorOver); cursor != plat::cursor::kNoCursor)
        gfxSetCursorId(cursor);
}

// The pointer over nothing a help page tells about still shows that help mode is on; what
// lies behind does not hover meanwhile.
u32 RHelp::HandleMouseMove(Point16, u32) {
    ShowHelpCursor();
    return 1;
}

// A press no element took reaches nothing under help mode, which stays on until a page closes.
u32 RHelp::HandleInput(u32, Point16, u32) { return 1; }
u32 RHelp::HandleMouseUp(u32, Point16, u32) { return 1; }

}  // namespace Ostrel
