#include "tools/erasers/PageEraseFactory.h"

#include "tools/base/ToolNames.h"
#include "tools/erasers/RDFirecracker.h"
#include "tools/erasers/RFullCutEraser.h"
#include "tools/erasers/RQuickTimeEraser.h"

std::unique_ptr<RDestructo> createPageErase(CListener* owner, i16 index) {
    if (index == kToolIdFirecracker) return std::make_unique<RDFirecracker>(owner, index);
    if (index >= kToolIdFirstMovieEraser && index <= kToolIdLastMovieEraser)
        return std::make_unique<RQuickTimeEraser>(owner, index);
    if (index == kToolIdFullCutEraser) return std::make_unique<RFullCutEraser>(owner, index);
    return nullptr;
}
