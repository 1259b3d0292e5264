#pragma once
// A tool's start, stroke and end sounds. The start sound plays at the press, the stroke sound
// while the tool moves, its rate following the speed and its pan the horizontal direction,
// and the end sound at the release. Sounds missing from the archives stay silent, and so do
// all of them while the child's tool-sounds switch, which each call is given, is off.
// User-interface thread only.
#include <memory>

#include "engine/base/EngineTypes.h"
#include "sound/RSound.h"
#include "tools/params/ToolParams.h"

// How a stroke moves: pixels per second and the step it just made.
struct StrokeMotion {
    float speed = 0;
    float dx = 0;
    float dy = 0;
};

// Half rate when still, the sound's own rate at the tool's full speed, at most twice as fast;
// strokes going up sound a little higher than strokes going down.
Fixed strokeSoundRate(const StrokeMotion& motion, i32 fullSpeed);
// Full left for a stroke heading left, full right heading right, centred when it goes
// straight up or down or stands still.
i16 strokeSoundPan(const StrokeMotion& motion);

class ToolSounds {
public:
    void Load(const ToolParams& params);
    void Start(bool soundsOn);
    void Stroke(const StrokeMotion& motion, bool soundsOn);
    void End(bool soundsOn);

private:
    static std::unique_ptr<Ostrel::RSound> make(u16 id);
    std::unique_ptr<Ostrel::RSound> start_;
    std::unique_ptr<Ostrel::RSound> stroke_;
    std::unique_ptr<Ostrel::RSound> end_;
    i32 fullSpeed_ = 600;
    // Between the press and the release: the stroke sound plays only then.
    bool stroking_ = false;
};
