#pragma once
// The fill bucket with a pattern: the fill pattern id the panel sets names the 'tBMP' picture
// it tiles; while that picture is missing it fills with the brushes' colour.
#include "tools/fills/RFill.h"

class RPatternFill : public RFill {
public:
    RPatternFill();
    void SetFillPatternId(u16 id) override;
};
