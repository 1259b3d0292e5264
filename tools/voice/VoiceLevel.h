#pragma once
// How loud the child is, as the voice brushes hear it: 0 (silence) to 1 (a shout), or below 0
// when there is no voice to hear (no microphone), and the brushes paint at their full size.
class VoiceLevel {
public:
    virtual ~VoiceLevel() = default;
    virtual float Level() = 0;
};
