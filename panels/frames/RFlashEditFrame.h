#pragma once
// The edit frame of an animation ('tSWF', 'tSWA'): its buttons play and step the animation;
// for a one-frame animation they flip the picture instead, across (step) or upside down
// (play), which the object keeps in its option word.
#include "panels/frames/RMediaEditFrame.h"

class FlashMovie;

namespace Ostrel {

class RFlashEditFrame : public RMediaEditFrame {
public:
    using RMediaEditFrame::RMediaEditFrame;
    ~RFlashEditFrame() override { ClickOff(); }

protected:
    bool HasMedia() const override { return Movie() != nullptr; }
    bool MediaPlays() const override;
    bool MediaMoves() const override;
    void PlayMedia() override;
    void StopMedia() override;
    void StepMedia() override;
    void PlaceMedia(const Rect16& inside) override;
    u16 OneFrameClick(i16 corner) override;

private:
    FlashMovie* Movie() const;
};

}  // namespace Ostrel
