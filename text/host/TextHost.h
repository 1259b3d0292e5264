#pragma once
// What the text editors need from the screen they sit on: a sound for a refused change (and
// a word for a paste too long to take), and word that their picture changed. The screens implement it over the sprite layer; tests
// record the calls.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

// The archive sound played for every refused change.
constexpr u16 kTextRefusalSound = 31503;

class TextHost {
public:
    virtual ~TextHost() = default;
    // An archive sound on a free sound channel.
    virtual void PlaySound(u16 soundId) = 0;
    // The editor's cached picture (its page object's, or its sprite's) is out of date.
    virtual void MarkStale() = 0;
    // The rectangle must be drawn again on screen.
    virtual void Invalidate(const Rect16& rect) = 0;
    // A paste was refused, with its sound, because the text would pass the most characters
    // it may hold: a host that can speak to the child says so.
    virtual void TellPasteTooLong() {}
};
