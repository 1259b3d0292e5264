#pragma once
// DefineButton and DefineButton2, and the two tags that add to a button: DefineButtonCxform
// and DefineButtonSound.
//
// Button records are 45 bytes each: u8 state flags (0 ends the list), u16 character id,
// u16 layer, MATRIX, CXFORM. Actions are a condition-action list: per entry u16 offset of the
// next entry from this one (0 = last), u16 conditions, the action block. A version 1 button
// keeps its actions as one entry with the over-down to over-up condition, so both versions
// play the same way.
#include "media/swf/Block.h"
#include "media/swf/Tag.h"

namespace swf {

namespace button {

constexpr u8 kStateUp = 0x01;
constexpr u8 kStateOver = 0x02;
constexpr u8 kStateDown = 0x04;
constexpr u8 kStateHitTest = 0x08;

constexpr u32 kRecordSize = 45;
constexpr u32 kRecordCharacter = 1;
constexpr u32 kRecordLayer = 3;
constexpr u32 kRecordMatrix = 5;
constexpr u32 kRecordCxform = 29;

constexpr u16 kConditionOverDownToOverUp = 0x0008;

}  // namespace button

class tagDefineButton : public tagObject {
public:
    explicit tagDefineButton(u16 code) : tagObject(code) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    int Version() const { return code_ == kTagDefineButton2 ? 2 : 1; }
    bool TrackAsMenu() const { return trackAsMenu_ != 0; }
    u32 RecordCount() const { return records_.Size() / button::kRecordSize; }
    u8* Record(u32 index) { return records_.Data() + index * button::kRecordSize; }
    const Block& Conditions() const { return conditions_; }
    tagObject* HitTestCharacter() const { return hitTestCharacter_; }

    // The Up state's characters, each through its record's matrix.
    Rect GetBounds() const override;
    // Every placement gets its own button instance.
    Result Instantiate(u32 index, movie& timeline) override;

private:
    Result ReadRecords(stream& in, u32 length);
    Result ReadConditions(stream& in, u32 bodyEnd);
    Result WriteRecords(stream& out);
    Result WriteConditions(stream& out);

    u8 trackAsMenu_ = 0;
    Block records_;
    Block conditions_;
    tagObject* hitTestCharacter_ = nullptr;
};

// One colour transform per record of the button with the same id.
class tagDefineButtonCxform : public tagObject {
public:
    tagDefineButtonCxform() : tagObject(kTagDefineButtonCxform) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;
};

// The sounds of a button's four transitions; an empty entry has no sound.
class tagDefineButtonSound : public tagObject {
public:
    tagDefineButtonSound() : tagObject(kTagDefineButtonSound) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    const Block& Sound(int transition) const { return sounds_[transition]; }
    Block& MutableSound(int transition) { return sounds_[transition]; }

private:
    Block sounds_[4];
};

}  // namespace swf
