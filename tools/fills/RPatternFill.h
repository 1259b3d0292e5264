#pragma once
// The fill bucket with a pattern: RFill with its own tool id.
#include "tools/base/ToolNames.h"
#include "tools/fills/RFill.h"

class RPatternFill : public RFill {
public:
    RPatternFill() : RFill(kToolIdPatternFill) {}
};
