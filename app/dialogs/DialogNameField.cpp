#include "app/dialogs/DialogNameField.h"

#include "app/window/RDisplayWindow.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "text/host/TextKeys.h"

namespace Ostrel {

namespace {

// The face of the program's dialog texts.
constexpr const char* kDialogFace = "DejaVu Sans";

bool isEditingKey(u8 key) {
    return key == kKeyBackspace || key == kKeyDelete || key == kKeyLeft || key == kKeyRight;
}

void playRefusal() {
    SprSoundRequest request;
    request.soundId = kNameRefusedSound;
    sprRequestSound(request);
}

}  // namespace

DialogNameField::DialogNameField(UndoManager& undo) : field_(std::make_unique<voTextEdit>(fonts_, undo)) {
    if (RDisplayWindow* window = RDisplayWindow::Get()) field_->ListenWhileActive(&window->FieldCommands());
}

DialogNameField::~DialogNameField() = default;

void DialogNameField::Begin(const Rect16& rect, const GfxColor& colour, u16 size, u16 maxLength, const std::string& text) {
    rect_ = rect;
    TextStyle font;
    font.Set(currentTextStyle().name[0] ? currentTextStyle().name : kDialogFace, size, 0, colour);
    field_->Begin(rect, font, 1, maxLength, false);
    field_->SetJustification(0, false, false);
    SetText(text);
    field_->SelectAll();
}

void DialogNameField::CentreLine() {
    if (const i16 room = i16(rect_.bottom - rect_.top - field_->Layout().LineHeight()); room > 1)
        field_->SetTextRect(Rect16{rect_.left, i16(rect_.top + room / 2), rect_.right, rect_.bottom}, false);
}

bool DialogNameField::IsLegal(u8 character) const {
    if (!charIsPrintable(character)) return false;
    return alphabet_.empty() || alphabet_.find(char(character)) != std::string::npos;
}

bool DialogNameField::IsLegalName(const std::string& name) const {
    for (char c : name) {
        if (!IsLegal(u8(c))) return false;
    }
    return true;
}

NameKey DialogNameField::HandleKey(u32 key) {
    const u8 vk = keyRecordVirtualKey(key);
    const u8 typed = keyRecordCharacter(key);
    if (charIsPrintable(typed) && !IsLegal(typed)) {
        playRefusal();
        return NameKey::Refused;
    }
    // Shift, Tab and the other keys that type nothing are no mistake of the child's.
    if (!charIsPrintable(typed) && !isEditingKey(vk)) return NameKey::Ignored;
    if (!field_->Active()) field_->SetFocus();
    return field_->HandleKey(key) ? NameKey::Edited : NameKey::Ignored;
}

void DialogNameField::MouseDown(Point16 point, bool doubleClick) {
    if (!field_->Active()) field_->SetFocus();
    if (doubleClick)
        field_->OnDoubleClick(point);
    else
        field_->OnMouseDown(point, false);
}

void DialogNameField::MouseDrag(Point16 point) { field_->OnMouseDrag(point); }

void DialogNameField::MouseUp() { field_->OnMouseUp(); }

void DialogNameField::Restore() {
    const std::string text = field_->Text();
    field_->SetText(text.c_str(), u16(text.size()), true, false);
    field_->Deactivate();
}

void DialogNameField::SetText(const std::string& text) { field_->SetText(text.c_str(), u16(text.size()), true, false); }

void DialogNameField::SelectAll() { field_->SelectAll(); }

void DialogNameField::Clear() { field_->Clear(); }

void DialogNameField::Blink(u32 nowMs) { field_->BlinkCaret(nowMs); }

const std::string& DialogNameField::Text() const { return field_->Text(); }

std::string DialogNameField::TrimmedText() const {
    std::string text = field_->Text();
    return TrimBlanks(text) ? text : std::string();
}

}  // namespace Ostrel
