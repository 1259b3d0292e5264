#include "text/field/voTextEdit.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/regions/Regions.h"

void FieldSpriteHost::PlaySound(u16 soundId) {
    SprSoundRequest request;
    request.soundId = soundId;
    sprRequestSound(request);
}

void FieldSpriteHost::Invalidate(const Rect16& rect) {
    sprInvalRect(rect);
    due_ = true;
}

voTextEdit::voTextEdit(CharMeasurer& measurer, Ostrel::UndoManager& undo)
    : Editor(*this, measurer, undo) {
    const Point16 origin{0, 0};
    sprite_ = sprNewWithProcs(0, 0, &origin, nullptr, &voTextEdit::Step, &voTextEdit::DrawSprite);
    if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = reinterpret_cast<uintptr_t>(this);
}

voTextEdit::~voTextEdit() {
    if (SprSprite* sprite = sprFind(sprite_)) sprite->data1 = 0;
    sprRemoveById(sprite_, 1, 1);
    sprite_ = 0;
}

void voTextEdit::Step(SprSprite* sprite, memHandle region) {
    auto* field = reinterpret_cast<voTextEdit*>(sprite->data1);
    if (!field) return;
    const SprScreen* screen = sprScreen();
    if (screen && field->BlinkDue(screen->currentTime) && field->SelectionStart() == field->SelectionEnd()) field->due_ = true;
    if (!field->due_) return;
    field->due_ = false;
    // The old rectangle is drawn over too, for a field that shrank.
    if (!rectIsEmpty(sprite->bounds)) rgnUnionRect(region, sprite->bounds);
    sprite->bounds = field->TextRect();
    sprite->changed = 1;
    rgnUnionRect(region, sprite->bounds);
}

void voTextEdit::DrawSprite(SprSprite* sprite) {
    auto* field = reinterpret_cast<voTextEdit*>(sprite->data1);
    if (!field) return;
    field->Draw(false);
    if (field->CaretShown()) field->DrawCaretShape();
}
