#pragma once
// The drippy brush: a thick wet line from which paint runs down here and there in drips that
// end in a round drop.
#include "tools/brushes/RPathBrush.h"

class RDrippy : public RPathBrush {
public:
    RDrippy();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr float kDripChance = 0.12f;
};
