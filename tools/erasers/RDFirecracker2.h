#pragma once
// The firecracker the easel's Start Over button sets off, owned by the easel.
#include "tools/base/ToolNames.h"
#include "tools/erasers/RDFirecracker.h"

class RDFirecracker2 : public RDFirecracker {
public:
    explicit RDFirecracker2(CListener* easel) : RDFirecracker(easel, kToolIdFirecracker) {}
};
