#pragma once
// The base of the tool option panels: a sender (tagged by the subclass) that its owner listens
// to, a listener for its own buttons' messages and an input object. It owns its hot-spot list,
// its buttons, and the sprite of its frame. The panel's own button set has the message base as
// its id. User-interface thread only.
#include <string>

#include "engine/base/EngineTypes.h"
#include "framework/controls/LoadButtonsFromKVR.h"
#include "framework/input/RHotSpotList.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

// Enables (parameter 2 non-zero) or disables the panel's buttons and sets its active flag.
constexpr u32 kMsgPanelSetActive = 292;

class RPanel : public RSender, public CListener, public RInputObject {
public:
    // The owner hears the panel's broadcasts.
    RPanel(CListener* owner, FourCC tag);
    ~RPanel() override;

    // Makes the hot-spot list and the frame sprite, creates and draws the panel's buttons;
    // 0 on success, else the button set's error.
    virtual u16 Init();
    // Replaces the buttons by those of the set; 0 on success.
    virtual u16 CreateButtons(u16 setId);
    // Loads another set into `out` (with its hot spots in the panel's list) and draws it.
    u16 AddButtons(u16 setId, RButtonSet* out);
    int FindButtonByCommand(u16 command) const;
    // What a panel with stored choices saves and restores; 0 = go on.
    virtual u16 SavePrefs();
    virtual u16 RestorePrefs();
    // 1 when the panel had a frame maker and deleted it; the base has none.
    virtual u16 RemoveFrameMaker();
    // The panel takes the canvas again after the page was replaced or saved: a panel that
    // edits page objects frames them again. The base edits none.
    virtual void CreateFrameMaker();

    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    CListener* GetOwner() const { return owner_; }
    RButtonSet& Buttons() { return buttons_; }
    const RButtonSet& Buttons() const { return buttons_; }
    RHotSpotList* HotSpots() const { return hotSpots_.get(); }
    const std::string& GetArtName() const { return artName_; }
    void SetArtName(std::string name) { artName_ = std::move(name); }
    u16 GetMessageBase() const { return messageBase_; }
    void SetMessageBase(u16 base) { messageBase_ = base; }
    // The frame's shape (0: no frame sprite).
    void SetFrameShape(u16 shape) { frameShape_ = shape; }
    u16 GetPanelSprite() const { return panelSprite_; }
    bool IsActive() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    // Puts every button of the panel (all its loaded sets) in or out of service.
    void SetButtonsEnabled(bool enabled);

private:
    CListener* owner_;
    RButtonSet buttons_;
    std::unique_ptr<RHotSpotList> hotSpots_;
    std::string artName_;
    u16 messageBase_ = 0;
    u16 frameShape_ = 0;
    u16 panelSprite_ = 0;
    // The buttons start in service.
    bool active_ = true;
};

}  // namespace Ostrel
