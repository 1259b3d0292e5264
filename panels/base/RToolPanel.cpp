#include "panels/base/RToolPanel.h"

#include "engine/gfx/DrawColoredAlphaMask.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/resources/NamedResources.h"
#include "framework/controls/PaintColor.h"
#include "framework/controls/RColorPicker.h"
#include "framework/resources/mfxReadResource.h"
#include "panels/base/ToolFactory.h"
#include "panels/base/ToolPanelMessages.h"
#include "tools/base/RToolMgr.h"

namespace Ostrel {

RToolPanel::RToolPanel(CListener* owner, const Paths* userPaths)
    : RPanel(owner, kToolPanelTag), userPaths_(userPaths) {
    SetMessageBase(kToolPanelMessageBase);
}

RToolPanel::~RToolPanel() {
    DropCurrentTool();
    ReleaseArt();
    if (itemOpen_) ReleaseNamedResource(kToolPanelsItem);
}

u16 RToolPanel::Init() {
    // The panels' button sets live in their content item: it is open before the base makes them.
    // Without a content locator the item may already be open (tests, a disc-less start): the
    // look-ups search every open archive either way.
    if (!itemOpen_) itemOpen_ = OpenNamedResource(kToolPanelsItem, 1) == 0;
    RPanel::Init();
    LoadArt();
    return 0;
}

void RToolPanel::LoadArt() {
    for (u16 id = kToolPanelArtBase; id != 0; ++id) {
        ResourceRef ref = 0;
        bool fresh = false;
        if (sprLoadResource(kSprPictureType, id, &ref, &fresh) == 0) break;
        const SprHeld held = sprLockResource(ref);
        if (held.data == nullptr) {
            sprDropResource(&ref);
            break;
        }
        art_.push_back({ref, held.data});
    }
}

void RToolPanel::ReleaseArt() {
    for (ArtPicture& picture : art_) sprReleaseResource(&picture.ref);
    art_.clear();
}

std::vector<const u8*> RToolPanel::Art() const {
    std::vector<const u8*> pictures;
    for (const ArtPicture& picture : art_) pictures.push_back(picture.data);
    return pictures;
}

u16 RToolPanel::CreateButtons(u16 setId) {
    const u16 err = RPanel::CreateButtons(setId);
    const int first = FirstColorButton();
    const int last = LastColorButton();
    if (first < 0 || first > last) return err;
    for (int i = first; i <= last && size_t(i) < Buttons().size(); ++i) {
        RButton& button = *Buttons()[size_t(i)];
        button.SetSpriteProcs(nullptr, nullptr, &RToolPanel::DrawColorSwatch);
        button.SetOwnerData(reinterpret_cast<uintptr_t>(this));
    }
    return err;
}

// The button's own look, then its tint mask (the 'tBMP' alpha mask numbered like the button's
// command) in the current paint colour over the sprite's corner. The tint replaces what lies
// under it rather than mixing with it, so drawing it twice over an area the update did not
// redraw gives the same picture.
void RToolPanel::DrawColorSwatch(SprSprite* sprite) {
    if (sprite == nullptr || sprite->hidden || sprite->shape == 0) return;
    sprDraw(sprite);
    auto* panel = reinterpret_cast<RToolPanel*>(sprite->data1);
    SprScreen* screen = sprScreen();
    if (panel == nullptr || screen == nullptr) return;
    for (const auto& button : panel->Buttons()) {
        if (button->GetSprite() != sprite->id) continue;
        std::vector<u8> mask;
        if (mfxReadResource(kSprPictureType, button->GetCommand(), &mask) != kErrNone) return;
        GfxPort* previous = gfxSetPort(screen->workPort);
        DrawColoredAlphaMask(sprite->bounds.left, sprite->bounds.top, mask.data(), u32(mask.size()),
                             PackedPaintColor(), false, &sprite->bounds);
        gfxSetPort(previous);
        return;
    }
}

void RToolPanel::RefreshColorButtons() {
    const int first = FirstColorButton();
    const int last = LastColorButton();
    if (first < 0 || first > last) return;
    for (int i = first; i <= last && size_t(i) < Buttons().size(); ++i)
        if (SprSprite* sprite = sprFind(Buttons()[size_t(i)]->GetSprite())) sprSetShape(sprite, 0, nullptr, 0);
}

u32 RToolPanel::HandleMessage(RMessage* message, uintptr_t data) {
    if (message->code == kMsgColorChosen) {
        // The colour buttons show the colour just chosen (the tools ask the canvas for it).
        RefreshColorButtons();
        return 0;
    }
    return RPanel::HandleMessage(message, data);
}

std::unique_ptr<RTool> RToolPanel::CreateTool(i16 index) const { return CreateToolForIndex(index); }

void RToolPanel::Say(u32 code, uintptr_t param1, u16 param2) {
    RMessage message(code, param1, param2);
    message.sender = this;
    Broadcast(&message);
}

void RToolPanel::EnableCanvas(u16 cursor) { Say(kMsgPanelEnableCanvas, 0, cursor); }

void RToolPanel::DropCurrentTool() {
    if (currentTool_ == nullptr) return;
    Say(kToolMsgKild);
    currentTool_.reset();
}

void RToolPanel::DeleteCurrentToolQuietly() { currentTool_.reset(); }

void RToolPanel::ActivateOnCanvas(RTool& tool) {
    SprScreen* screen = sprScreen();
    tool.Activate(screen != nullptr ? screen->windowPort : nullptr, -1, canvasRect_);
}

bool RToolPanel::ActivateTool(std::unique_ptr<RTool> tool) {
    if (tool == nullptr) return false;
    currentTool_ = std::move(tool);
    ActivateOnCanvas(*currentTool_);
    return true;
}

void RToolPanel::AnnounceTool(RTool* tool) { Say(kToolMsgBorn, reinterpret_cast<uintptr_t>(tool), 0); }

void RToolPanel::AnnounceSettings() { Say(kToolMsgChng, reinterpret_cast<uintptr_t>(&toolSettings_), 0); }

}  // namespace Ostrel
