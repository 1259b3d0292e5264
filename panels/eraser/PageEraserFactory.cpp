#include "panels/eraser/PageEraserFactory.h"

#include "tools/base/ToolNames.h"
#include "tools/erasers/RDFirecracker.h"

namespace Ostrel {

std::unique_ptr<RDestructo> CreatePageEraser(i16 index, CListener* owner) {
    switch (index) {
        case kToolIdFirecracker: return std::make_unique<RDFirecracker>(owner, index);
        default: return nullptr;
    }
}

}  // namespace Ostrel
