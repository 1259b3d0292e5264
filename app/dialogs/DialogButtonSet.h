#pragma once
// One button set of an in-window dialog with the hot-spot list its buttons live in: built
// from the archive's button set, shown as a whole (but for one button that stays hidden),
// and buttons enabled and disabled by command id. The dialogs share these steps through this
// class; a dialog with two sets (the login's normal and administrator sets) keeps two.
// User-interface thread only.
#include <memory>

#include "framework/controls/LoadButtonsFromKVR.h"
#include "framework/input/RHotSpotList.h"

class CListener;

namespace Ostrel {

constexpr u16 kNoHiddenButton = 0;

class DialogButtonSet {
public:
    DialogButtonSet() = default;
    DialogButtonSet(const DialogButtonSet&) = delete;
    DialogButtonSet& operator=(const DialogButtonSet&) = delete;
    ~DialogButtonSet();

    // Makes the hot-spot list (in front of the input objects) and the buttons of set `setId`,
    // posting to `owner`; draws the buttons. A set that cannot be read leaves no buttons.
    void Build(CListener* owner, u16 setId);
    // The buttons go before the hot-spot list that holds their items.
    void Clear();

    bool IsBuilt() const { return list_ != nullptr; }
    RHotSpotList* List() const { return list_.get(); }
    const RButtonSet& Buttons() const { return buttons_; }
    int Count() const { return int(buttons_.size()); }
    // The button with that command id; null when none.
    RButton* Find(u16 id) const;

    // Puts every button's sprite in front of (or behind) the sprite `layerSprite`.
    void SetLayer(u16 layerSprite);
    // Makes hot-spot group `group` active and shows every button but `hiddenId`, which is
    // taken out of service and hidden.
    void ShowSet(u16 group, u16 hiddenId);
    // Takes every button out of service and hides it.
    void HideSet();
    // Enables the button unless its record says it starts disabled; false when not in the set.
    bool Enable(u16 id);
    // Ends a press on it, takes it out of service and shows it up; false when not in the set.
    bool Disable(u16 id);
    bool IsEnabled(u16 id) const;
    // Puts every button of hot-spot group `group` (0: none) back up but the one of `kept`:
    // one choice of a row of radio buttons stays selected.
    void ReleaseGroup(u16 group, const RHotSpotItem* kept);

private:
    std::unique_ptr<RHotSpotList> list_;
    RButtonSet buttons_;
};

}  // namespace Ostrel
