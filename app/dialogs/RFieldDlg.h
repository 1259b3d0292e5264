#pragma once
// An in-window dialog with one typed line (the name, sound-name and ABC text dialogs): the
// pointer goes to the field when it lies in the field's rectangle, and the field's caret
// blinks on the window's tick. The buttons hear the pointer through their own hot spots.
// User-interface thread only.
#include <memory>

#include "app/dialogs/DialogEntryField.h"
#include "app/dialogs/RDlgBase.h"

namespace Ostrel {

class RFieldDlg : public RDlgBase {
public:
    RFieldDlg(CListener* owner, u32 kind) : RDlgBase(owner, kind) {}
    ~RFieldDlg() override;

    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    void HandleTick(u32 now) override;

    // Null until the dialog is up (and without an application to keep the field's undo).
    DialogEntryField* Field() const { return field_.get(); }

protected:
    // Makes the field on `spec` with `text` in front of the dialog and makes it active.
    void MakeField(const DialogFieldSpec& spec, const std::string& text);

    std::unique_ptr<DialogEntryField> field_;
};

}  // namespace Ostrel
