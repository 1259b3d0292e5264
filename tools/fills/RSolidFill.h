#pragma once
// The fill bucket with the brushes' colour: RFill with its own tool id.
#include "tools/base/ToolNames.h"
#include "tools/fills/RFill.h"

class RSolidFill : public RFill {
public:
    RSolidFill() : RFill(kToolIdSolidFill) {}
};
