#pragma once
// The text tool: it paints nothing itself. A press on the canvas is the text panel's cue to
// place a new text there: the tool sends its owner kTextToolPlace at once with the point in
// screen coordinates (param1: h in the low 16 bits, v in the high 16). The tool factory makes
// it without an owner; the text panel that asked for it then becomes its owner.
#include "framework/messaging/CListener.h"
#include "tools/base/RTool.h"

constexpr u32 kTextToolPlace = fourCC("txPl");

class RText : public RTool {
public:
    explicit RText(CListener* owner = nullptr);
    void SetOwner(CListener* owner) { owner_ = owner; }

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;

private:
    CListener* owner_;
};
