#pragma once
#include "tools/base/ToolNames.h"
#include "tools/fills/RFill.h"

class RSolidFill : public RFill {
public:
    RSolidFill() : RFill(kToolIdSolidFill) {}
};
