#pragma once
// Movie bytes for play-time tests, one tag or action record per helper, so that a test movie
// reads as its frames.
#include <string>

#include "media/swf/SwfTypes.h"
#include "tests/media/swf/SwfTestSupport.h"

namespace swftest {

// A version 6 movie of frameCount frames at the rate (whole frames per second) holding the
// tags, an End tag after them.
Bytes MovieOf(u16 frameCount, const Bytes& tags, u8 rate = 12);
Bytes ShowFrame();
Bytes Shape(u16 id);
Bytes ShapeWithBounds(u16 id, const swf::Rect& bounds);
// PlaceObject2: with id 0 no character; empty name none.
Bytes Place(u16 depth, u16 id, const std::string& name = "");
Bytes PlaceMatrix(u16 depth, u16 id, const swf::Matrix& matrix, bool move);
Bytes PlaceCxform(u16 depth, u16 id, const swf::Cxform& cxform);
Bytes Remove(u16 depth);
Bytes Sprite(u16 id, u16 frameCount, const Bytes& tags);
Bytes Label(const std::string& name);
Bytes Background(u8 red, u8 green, u8 blue);
Bytes DoAction(const Bytes& actions);
// DefineButton2 with one record per (states, character, layer).
struct ButtonRecord {
    u8 states;
    u16 character;
    u16 layer;
    swf::Matrix matrix = {};
};
Bytes Button(u16 id, std::initializer_list<ButtonRecord> records);
Bytes DefineSound(u16 id, u8 format, u8 rateCode, bool sixteenBits, bool stereo, u32 sampleCount, const Bytes& data);
Bytes StartSound(u16 id, u8 flags, u32 inPoint = 0, u32 outPoint = 0, u16 loops = 0);

namespace act {
Bytes Goto(u16 frame);
Bytes GetUrl(const std::string& url, const std::string& window);
Bytes Next();
Bytes Previous();
Bytes Play();
Bytes Stop();
Bytes StopSounds();
Bytes WaitFor(u16 frame, u8 skip);
Bytes Target(const std::string& path);
Bytes GotoLabel(const std::string& label);
}  // namespace act

}  // namespace swftest
