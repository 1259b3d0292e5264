#include "app/dialogs/DialogEntryField.h"

#include "app/application/RApplication.h"
#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

namespace {

constexpr u32 kFieldSpriteFlags = 0x400000;

}  // namespace

std::unique_ptr<DialogEntryField> DialogEntryField::Make(const DialogFieldSpec& spec, const std::string& text,
                                                         u16 layerSprite) {
    RApplication* app = GetApplication();
    UndoManager* undo = app ? app->GetUndoManager() : nullptr;
    if (!undo) return nullptr;
    auto made = std::make_unique<DialogEntryField>(*undo);
    Rect16 rects[kSprMaxParts];
    const i16 count = sprGetShapePartRects(spec.partsId, rects);
    const Rect16 rect = count > 0 ? rects[0] : Rect16{0, 0, 0, 0};
    made->field_.Begin(rect, kDialogFieldColour, spec.fontSize, spec.maxLength, text.substr(0, spec.maxLength));
    made->field_.Field().SetJustification(spec.justification, false, false);
    if (SprSprite* sprite = sprFind(made->field_.Field().SpriteId())) {
        sprite->flags |= kFieldSpriteFlags;
        if (layerSprite) sprSetLayerById(made->field_.Field().SpriteId(), 1, layerSprite);
    }
    return made;
}

void DialogEntryField::Activate() {
    if (!field_.Field().Active()) field_.Field().SetFocus();
}

void DialogEntryField::Deactivate() { field_.Field().Deactivate(); }

bool DialogEntryField::MouseDown(Point16 point) {
    if (!Contains(point)) return false;
    field_.MouseDown(point, press_.Press(point));
    dragging_ = true;
    return true;
}

bool DialogEntryField::MouseDrag(Point16 point) {
    if (!dragging_) return false;
    field_.MouseDrag(point);
    return true;
}

bool DialogEntryField::MouseUp() {
    if (!dragging_) return false;
    dragging_ = false;
    field_.MouseUp();
    return true;
}

}  // namespace Ostrel
