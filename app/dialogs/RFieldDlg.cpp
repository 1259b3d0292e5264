#include "app/dialogs/RFieldDlg.h"

namespace Ostrel {

RFieldDlg::~RFieldDlg() { field_.reset(); }

void RFieldDlg::MakeField(const DialogFieldSpec& spec, const std::string& text) {
    field_ = DialogEntryField::Make(spec, text, GetRootSprite());
    if (field_) field_->Activate();
}

u32 RFieldDlg::HandleInput(u32, Point16 point, u32) {
    if (field_) field_->MouseDown(point);
    return 1;
}

u32 RFieldDlg::HandleMouseMove(Point16 point, u32) {
    if (field_) field_->MouseDrag(point);
    return 1;
}

u32 RFieldDlg::HandleMouseUp(u32, Point16, u32) {
    if (field_) field_->MouseUp();
    return 1;
}

void RFieldDlg::HandleTick(u32 now) {
    if (field_) field_->Field().Blink(now);
}

}  // namespace Ostrel
