#pragma once
#include "tools/base/ToolNames.h"
#include "tools/fills/RFill.h"

class RPatternFill : public RFill {
public:
    RPatternFill() : RFill(kToolIdPatternFill) {}
};
