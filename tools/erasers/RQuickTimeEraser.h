#pragma once
// The movie page-erases (MovieEraser1 .. 13): the picture goes to white through one of the
// slide show's transitions, run by the effect runner over its 30 steps from the point where
// the child clicked (the circle and the zoom grow from there).
#include <vector>

#include "tools/effects/transitions/QTEffectRunner.h"
#include "tools/erasers/RDestructo.h"

constexpr i16 kToolIdFirstMovieEraser = 124;
constexpr i16 kToolIdLastMovieEraser = 136;

class RQuickTimeEraser : public RDestructo {
public:
    // An index outside 124 .. 136 gives the fade.
    RQuickTimeEraser(CListener* owner, i16 index);
    TransitionKind Kind() const { return kind_; }

protected:
    void PaintFrame(ToolCanvas& canvas, u16 frame, Point16 origin) override;

private:
    TransitionKind kind_;
    QTEffectRunner runner_;
    std::vector<u16> white_;
};
