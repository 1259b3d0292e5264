#pragma once
// Chooses the transition that leads into one slide and the sound heard with it, from two rows
// of cells named by the content's lists (six transitions and four sounds at a time), each
// scrolled by its two arrows when it has more places than cells, and previews the transition
// with its sound where the page stands, in front of the dialog, which steps aside meanwhile:
// from the project's background colour into the slide's picture, after which the screen shows
// again what it showed. Picking a transition picks the sound of the same place too (the
// content pairs each transition with a sound that suits it); a sound picked after it stays.
// OK writes both into the page and its project and answers (code = the kind, the dialog,
// 1396); Cancel answers 1395 and changes nothing. The owner deletes the dialog.
// User-interface thread only.
#include <memory>

#include "app/dialogs/RDlgBase.h"
#include "app/dialogs/RTransitionSounds.h"
#include "app/strings/StringList.h"
#include "engine/gfx/GfxPort.h"
#include "framework/controls/RBMOBitmapScroller.h"
#include "tools/effects/transitions/QTEffectRunner.h"

struct SprSprite;

namespace Ostrel {

class RPage;

constexpr const char* kTransContent = "TransSound";
constexpr u16 kTransLayout = 7000;
constexpr u16 kTransNamesList = 7500;
constexpr u16 kTransSoundNamesList = 8500;
// The cells' icons: 'tBMP' of these ids plus the cell's place.
constexpr u16 kTransIconBase = 12000;
constexpr u16 kTransSoundIconBase = 12030;
// The rows' shapes: the cells (their hot spots are numbered from the same id), the back arrow
// and the forward arrow.
constexpr u16 kTransRowShape = 7002, kTransBackArrow = 7004, kTransForwardArrow = 7034;
constexpr u16 kTransSoundRowShape = 7012, kTransSoundBackArrow = 7014, kTransSoundForwardArrow = 7046;
// The most cells each row shows at once.
constexpr size_t kTransVisibleCells = 6, kTransSoundVisibleCells = 4;
// Commands: a transition picked, a sound picked (the place in parameter 2), the preview.
constexpr u16 kTransCmdPicked = 1500;
constexpr u16 kTransCmdSoundPicked = 1501;
constexpr u16 kTransCmdPreview = 1433;
// How long a preview takes, however fast the program runs.
constexpr u32 kTransPreviewMillis = 600;

class RTransDialogue : public RDlgBase {
public:
    RTransDialogue(CListener* owner, u32 kind) : RDlgBase(owner, kind) {}
    ~RTransDialogue() override;

    // 0 when up; 1 without a page or when the layout cannot be opened. The page must outlive
    // the dialog.
    i16 Open(RPage* page);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // Enter previews.
    u32 HandleKey(u32 key) override;
    // Steps a running preview; after its last step the screen shows what it showed before.
    void HandleTick(u32 now) override;

    i32 Transition() const { return transition_; }
    i32 Sound() const { return sound_; }
    bool Previewing() const { return preview_.IsRunning(); }
    RBMOBitmapScroller* TransitionRow() const { return transitions_.get(); }
    RBMOBitmapScroller* SoundRow() const { return sounds_.get(); }
    // The arrow sprites of a row (0 the transitions, 1 the sounds): back, then forward; 0
    // when not made.
    u16 ArrowSprite(size_t row, size_t which) const { return arrows_[row][which]; }
    const RTransitionSounds& Sounds() const { return transitionSounds_; }

private:
    std::unique_ptr<RBMOBitmapScroller> BuildRow(const StringList& names, u16 iconBase, u32 command, u16 rowShape,
                                                 size_t most, const u16 (&arrowShapes)[2], u16 (&arrows)[2],
                                                 i32 current);
    // The rows' cells stand on the dialog's face: a sprite of the dialog's layer draws them.
    void ShowRows();
    static void DrawRows(SprSprite* sprite);
    // The preview's sprite: what lies under the dialog, and the slide coming in over the page.
    static void DrawPreview(SprSprite* sprite);
    void PickTransition(i32 index);
    void PickSound(i32 index);
    void StartPreview();
    void EndPreview();
    void Confirm();

    RPage* page_ = nullptr;
    StringList transitionNames_;
    StringList soundNames_;
    std::unique_ptr<RBMOBitmapScroller> transitions_;
    std::unique_ptr<RBMOBitmapScroller> sounds_;
    u16 rowsSprite_ = 0;
    u16 arrows_[2][2] = {{0, 0}, {0, 0}};
    RTransitionSounds transitionSounds_;
    i32 transition_ = -1;
    i32 sound_ = -1;
    // The preview: the page's rectangle it runs in, the area its sprite covers (the page and
    // the dialog), the sprite, and the picture each step is drawn into.
    Rect16 previewRect_{0, 0, 0, 0};
    Rect16 covered_{0, 0, 0, 0};
    u16 previewSprite_ = 0;
    GfxPort* stepPort_ = nullptr;
    PixelView step_;
    QTEffectRunner preview_;
    // The program's time at the preview's first step.
    u32 previewStart_ = 0;
    bool previewTimed_ = false;
};

}  // namespace Ostrel
