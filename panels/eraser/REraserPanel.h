#pragma once
// The eraser panel: a page with the plain eraser (a round or square tip in four sizes) and a
// page of page-erase effects, each shown by its icon; a chosen effect becomes the canvas's
// tool and the next press on the canvas sets it off, as one undoable step. The page, size,
// tip and effect are remembered per user in [EraserPanel]. User-interface thread only.
#include <vector>

#include "panels/base/PanelSaveData.h"
#include "panels/base/RScrollToolPanel.h"
#include "panels/eraser/EraserPanelCommands.h"

namespace Ostrel {

constexpr u16 kEraserPageButtonSet = 18500;
constexpr u16 kEraserShapeButtonSet = 18203;
// The size buttons of the round tip and of the square tip.
constexpr u16 kEraserRoundSizeSet = 18202;
constexpr u16 kEraserSquareSizeSet = 18201;
constexpr u16 kEraserStripLayout = 18024;
constexpr u16 kEraserPanelShape = 18343;
constexpr u16 kEraserMascotShape = 18051;
constexpr i16 kEraserSizeCount = 4;

// Words of tEraserSaveData.
constexpr size_t kEraserWordPage = 0;
constexpr size_t kEraserWordSize = 1;
constexpr size_t kEraserWordShape = 2;
constexpr size_t kEraserWordEffect = 3;

// A record never stored (word 1 is -1) gives the plain eraser, size 3, the round tip, the
// first effect; a word out of range (a damaged or hand-edited file) its default.
tEraserSaveData ValidEraserChoices(const tEraserSaveData& stored);

class REraserPanel : public RScrollToolPanel {
public:
    REraserPanel(CListener* owner, const Paths* userPaths);
    ~REraserPanel() override;

    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 RestorePrefs() override;
    u16 SavePrefs() override;

    const tEraserSaveData& Choices() const { return choices_; }
    // What is saved: the effects page only while an effect is chosen.
    tEraserSaveData SavedChoices() const;
    const RButtonSet& SizeButtons() const { return sizeButtons_; }
    const RButtonSet& ShapeButtons() const { return shapeButtons_; }

private:
    void ShowPlainPage();
    void ShowEffectsPage();
    void ChooseEffect(int item);
    void ChooseShape(u32 message);
    void ChooseSize(i16 number);
    void SetOptionsEnabled(bool enabled);
    void FreeCovers();

    bool started_ = false;
    u32 page_ = 0;
    u16 mascotSprite_ = 0;
    std::vector<u16> covers_;
    std::vector<i16> effects_;
    RButtonSet shapeButtons_;
    RButtonSet sizeButtons_;
    tEraserSaveData choices_{i16(kMsgEraserPlainPage), 3, i16(kMsgEraserRound), 0};
};

}  // namespace Ostrel
