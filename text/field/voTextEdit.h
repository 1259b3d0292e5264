#pragma once
// A dialog field shown by a sprite of the current screen. The sprite layer composes the
// screen in its work port: the field's sprite asks for a redraw of the text rectangle whenever
// the field changed or its caret's blink phase turned, and draws the field's lines, selection
// and caret there. Refusal sounds go to the sprite layer's sound channels.
#include "engine/gfx/sprites/SprSprite.h"
#include "text/field/Editor.h"

// The host part of the field, made before the field that uses it.
class FieldSpriteHost : public TextHost {
public:
    void PlaySound(u16 soundId) override;
    void MarkStale() override { due_ = true; }
    void Invalidate(const Rect16& rect) override;

protected:
    bool due_ = true;
};

class voTextEdit : private FieldSpriteHost, public Editor {
public:
    voTextEdit(CharMeasurer& measurer, Ostrel::UndoManager& undo);
    // Takes its sprite off the screen.
    ~voTextEdit() override;

    u16 SpriteId() const { return sprite_; }

private:
    static void Step(SprSprite* sprite, memHandle region);
    static void DrawSprite(SprSprite* sprite);

    u16 sprite_;
};
