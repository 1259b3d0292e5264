#include "screens/easel/EaselToolTips.h"

#include "screens/easel/EaselButtons.h"

namespace Ostrel {
namespace {

// Undo (339) and Color (341) have no button of their own in the set: the snail and the
// swatch show them at the buttons named here.
constexpr EaselToolTip kToolTips[] = {
    {325, 1067, "IdeaMachine"},
    {326, 1012, "Draw"},
    {327, 1027, "Text"},
    {328, 1015, "Paint"},
    {329, 1018, "FillBucket"},
    {330, 1003, "Stickers"},
    {331, 1000, "Backgrounds"},
    {332, 1021, "Mixer"},
    {333, 1024, "RubberStamps"},
    {334, 1009, "Sounds"},
    {335, 1006, "Animations"},
    {336, 1030, "Grab"},
    {337, 1033, "Eraser"},
    {338, kStartOverButton, "StartOver"},
    {339, kUndoShape, "Undo"},
    {340, kStopButton, "Stop"},
    {341, 1000, "Color"},
    {342, kSlideShowButton, "GoToSlideShow"},
    {343, kHelpButton, "Help"},
    {344, kPlayButton, "Play"},
};

}  // namespace

const EaselToolTip* easelToolTip(u32 message) {
    for (const EaselToolTip& tip : kToolTips)
        if (tip.message == message) return &tip;
    return nullptr;
}

}  // namespace Ostrel
