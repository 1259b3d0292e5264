#pragma once
// The text field of the small dialogs that take a typed line (a name, a sound name, the ABC
// text, a word and its pronunciation): a name field laid on the first rectangle of one of the
// layout's parts lists, drawn in front of the dialog, and the pointer road into it (a press
// in its rectangle places the caret or, doubled, selects the word; a drag extends the
// selection; the release ends it). One place for the steps these dialogs share.
// User-interface thread only.
#include <memory>
#include <string>

#include "app/dialogs/DialogNameField.h"
#include "app/dialogs/DoublePress.h"

namespace Ostrel {

// The colour of the dialogs' typed text.
inline const GfxColor kDialogFieldColour = GfxColor::rgb(250, 250, 255);

struct DialogFieldSpec {
    u16 partsId = 0;      // the parts list whose first rectangle the field covers
    u16 fontSize = 16;
    u16 maxLength = 0;
    i32 justification = 0;
};

class DialogEntryField {
public:
    // A field on the layout's parts list `spec.partsId` holding `text` (cut to the maximum),
    // in front of `layerSprite` (0: where the sprite layer puts it); null without an undo step
    // keeper (no application).
    static std::unique_ptr<DialogEntryField> Make(const DialogFieldSpec& spec, const std::string& text, u16 layerSprite);

    explicit DialogEntryField(UndoManager& undo) : field_(undo) {}

    DialogNameField& Field() { return field_; }
    const DialogNameField& Field() const { return field_; }
    const std::string& Text() const { return field_.Text(); }
    bool Contains(Point16 point) const { return rectContainsPoint(field_.Rect(), point); }
    // The caret shows and keys go here.
    void Activate();
    void Deactivate();
    bool IsActive() { return field_.Field().Active(); }

    // Each answers whether the field took the event.
    bool MouseDown(Point16 point);
    bool MouseDrag(Point16 point);
    bool MouseUp();

private:
    DialogNameField field_;
    DoublePress press_;
    bool dragging_ = false;
};

}  // namespace Ostrel
