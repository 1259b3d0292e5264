#pragma once
// The pencil panel: four pencil kinds (plain, chalk, crayon, marker; their buttons are colour
// swatches), a row of sizes and a row of line styles. Freehand draws with the pencil itself;
// any other line style puts a shape tool (line, curve, square, circle, polygon) in front of
// the pencil: the shape tool becomes the tool manager's current tool and draws its shape with
// the pencil. Each button says which one it is by its command id, which its click carries in
// parameter 1: the kinds 18401-18404 and the sizes 18201-18204 share one click message per
// row. The panel remembers kind, size and line style per user in [PencilPanel].
// User-interface thread only.
#include <memory>

#include "panels/base/PanelSaveData.h"
#include "panels/base/RToolPanel.h"
#include "panels/pencil/PencilPanelCommands.h"
#include "tools/base/RDragTool.h"
#include "tools/base/RStrokeTool.h"

namespace Ostrel {

// Button sets (their messages: PencilPanelCommands.h): the kinds and line styles are set
// 18400, the sizes set 18200.
constexpr u16 kPencilButtonSet = 18400;
constexpr u16 kPencilSizeButtonSet = 18200;
constexpr u16 kPencilKindButtonFirst = 18401;
constexpr u16 kPencilSizeButtonFirst = 18201;
constexpr i16 kPencilKindCount = 4;
constexpr i16 kPencilSizeCount = 4;
// The panel's shapes in the easel's shape group: the frame with its labels, the mascot.
constexpr u16 kPencilPanelShape = 18034;
constexpr u16 kPencilMascotShape = 18044;

// Words of tPencilPanelSaveData.
constexpr size_t kPencilWordKind = 0;
constexpr size_t kPencilWordSize = 1;
constexpr size_t kPencilWordLine = 2;

class RPencilPanel : public RToolPanel {
public:
    RPencilPanel(CListener* owner, const Paths* userPaths);
    ~RPencilPanel() override;

    // Buttons, sizes, frame and mascot, then the remembered choices, replayed as queued
    // messages to the panel itself; 0.
    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 RestorePrefs() override;
    u16 SavePrefs() override;
    int FirstColorButton() const override { return 0; }
    int LastColorButton() const override { return 3; }

    i16 GetPencilKind() const { return choices_[kPencilWordKind]; }
    i16 GetSizeIndex() const { return choices_[kPencilWordSize]; }
    i16 GetLineStyle() const { return choices_[kPencilWordLine]; }
    // The pencil (the base's current tool) and the shape tool in front of it, if any.
    RStrokeTool* GetPencil() const;
    RDragTool* GetShapeTool() const { return shapeTool_.get(); }
    const RButtonSet& SizeButtons() const { return sizeButtons_; }

private:
    void ChoosePencil(i16 kind);
    // `number`: the size button's number, 1 for the smallest.
    void ChooseSize(i16 number);
    // A shape tool id 103-110, or -1 for freehand.
    void SetLineShape(i16 toolId);
    void DeleteShapeTool();

    RButtonSet sizeButtons_;
    u16 mascotSprite_ = 0;
    tPencilPanelSaveData choices_{0, 1, i16(kMsgPencilFreehand)};
    std::unique_ptr<RDragTool> shapeTool_;
};

}  // namespace Ostrel
