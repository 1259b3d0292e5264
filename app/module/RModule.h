#pragma once
// The base of every full screen: the easel, the picker, the slide-show player and the splash.
// The application holds one at a time and listens to it. The base opens the screen's named
// content item with its hot-spot list, keeps the screen's buttons, finds a button by its
// command id, and shows a tool tip under a button as a sprite.
// User-interface thread only.
#include <array>
#include <memory>
#include <string>

#include "app/menus/RMenuOwner.h"
#include "app/module/ModuleShell.h"
#include "engine/base/EngineTypes.h"
#include "engine/gfx/GfxColor.h"
#include "engine/gfx/GfxFont.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "framework/controls/LoadButtonsFromKVR.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

class RHotSpotList;

constexpr FourCC kModuleSenderTag = fourCC("EASL");
constexpr u16 kNoShapeGroup = 0xFFFF;
constexpr size_t kToolTipTextSize = 32;
constexpr const char* kToolTipMetricsSection = "ToolTipMetrics";
constexpr const char* kToolTipsSection = "ToolTips";
constexpr const char* kDefaultToolTipFont = "jester";

class RModule : public CListener, public RSender, public RMenuOwner {
public:
    RModule();
    ~RModule() override;

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // The program around the screen; given before Enter.
    void SetShell(const ModuleShell& shell) { shell_ = shell; }
    const ModuleShell& Shell() const { return shell_; }
    // Builds the screen; 0 on success. The base does nothing.
    virtual u16 Enter();
    // The index of the first button with that command id, -1 when none.
    virtual i32 FindButtonById(u16 id) const;
    // Reads [ToolTipMetrics] of the writable "TB.ini"; 0.
    virtual u16 LoadToolTipMetrics();
    // Shows the tip of the button under it, or hides the tip that shows; 0.
    virtual u16 ShowToolTip(u16 buttonId, const char* textKey);
    // Hides the tip that shows, also when tool tips were switched off meanwhile.
    void HideToolTip();
    // Opens the document at the path; false when the screen opens none (the base).
    virtual bool OpenDocumentPath(const std::string& path);
    // Runs the screen's print command; false when the screen has none (the base).
    virtual bool Print();
    // The program must stop at once: the screen keeps the work not yet saved where the user's
    // next login offers it back. The base holds no work.
    virtual void KeepUnsavedWork();

    // Opens the named content item and makes the hot-spot list: 0, or 1 after the
    // "NoDataMustQuit" alert.
    u16 LoadContent(const char* name);

    const std::string& ContentName() const { return contentName_; }
    RHotSpotList* HotSpots() const { return hotSpots_.get(); }
    RButtonSet& Buttons() { return buttons_; }
    u16 ShapeGroup() const { return shapeGroup_; }
    bool ToolTipShowing() const { return toolTipSprite_ != 0; }
    const char* ToolTipText() const { return toolTipText_.data(); }
    // The tip's rectangle while it shows.
    const Rect16& ToolTipRect() const { return toolTipRect_; }

protected:
    // Released when the screen goes; kNoShapeGroup: none.
    u16 shapeGroup_ = kNoShapeGroup;
    RButtonSet buttons_;

private:
    void DisposeToolTip();
    static void DrawToolTip(SprSprite* sprite);
    // The tip has no shape for the layer's own step to size it by: its bounds stay the tip's
    // rectangle, so that it is drawn again over whatever behind it is redrawn.
    static void StepToolTip(SprSprite* sprite, memHandle region);

    ModuleShell shell_;
    std::string contentName_;
    std::unique_ptr<RHotSpotList> hotSpots_;
    std::array<char, kToolTipTextSize> toolTipText_{};
    u16 toolTipSprite_ = 0;
    Rect16 toolTipRect_{0, 0, 0, 0};
    GfxFont* toolTipFont_ = nullptr;
    u16 toolTipLineHeight_ = 0;
    GfxColor toolTipBackground_{};
    GfxColor toolTipTextColor_{};
    u16 toolTipFrame_ = 0;
};

}  // namespace Ostrel
