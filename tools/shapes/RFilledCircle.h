#pragma once
// An ellipse filled with the brushes' colour and outlined with the pencil.
#include "tools/shapes/ROCircle.h"

class RFilledCircle : public ROCircle {
public:
    explicit RFilledCircle(CListener* owner);

protected:
    void Commit(ToolCanvas& canvas) override;
};
