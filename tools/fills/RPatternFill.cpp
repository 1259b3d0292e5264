#include "tools/fills/RPatternFill.h"

#include "tools/base/ToolNames.h"
#include "tools/base/ToolPicture.h"

RPatternFill::RPatternFill() : RFill(kToolIdPatternFill) {}

void RPatternFill::SetFillPatternId(u16 id) {
    RFill::SetFillPatternId(id);
    SetPatternTile(loadToolPicture(id));
}
