#pragma once
// A rectangle filled with the brushes' colour and outlined with the pencil.
#include "tools/shapes/ROSquare.h"

class RFilledSquare : public ROSquare {
public:
    explicit RFilledSquare(CListener* owner);

protected:
    void Commit(ToolCanvas& canvas) override;
};
