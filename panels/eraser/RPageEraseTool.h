#pragma once
// A page-erase effect as the canvas's current tool: a press sets the effect off at the
// pressed point and runs it to its end at once, so that the whole wipe is one stroke, which
// undo takes back like any other. User-interface thread only.
#include <memory>

#include "tools/base/RTool.h"
#include "tools/erasers/RDestructo.h"

namespace Ostrel {

class RPageEraseTool : public RTool {
public:
    // Takes the effect over; its index is the tool's id.
    explicit RPageEraseTool(std::unique_ptr<RDestructo> effect);

    RDestructo* GetEffect() const { return effect_.get(); }

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;

private:
    std::unique_ptr<RDestructo> effect_;
};

}  // namespace Ostrel
