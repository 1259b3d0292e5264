#pragma once
// Action records in their compact in-memory form: per record u8 code (the file's ActionCode
// with bit 7 cleared), u16 record size including this 3-byte header, then the payload exactly
// as the file has it. A block ends with the record of code 0. Actions outside the early
// action set are kept as opaque records and written back as they came.
#include "media/swf/Block.h"
#include "media/swf/Tag.h"

namespace swf {

namespace action {

constexpr u8 kEnd = 0;
constexpr u8 kGotoFrame = 1;
constexpr u8 kGetURL = 3;
constexpr u8 kNextFrame = 4;
constexpr u8 kPreviousFrame = 5;
constexpr u8 kPlay = 6;
constexpr u8 kStop = 7;
constexpr u8 kToggleQuality = 8;
constexpr u8 kStopSounds = 9;
constexpr u8 kWaitForFrame = 10;
constexpr u8 kSetTarget = 11;
constexpr u8 kGoToLabel = 12;

constexpr u8 kHasPayload = 0x80;
constexpr u32 kHeaderSize = 3;

}  // namespace action

// Reads records from the stream into the block stream through the end record.
Result ReadActions(stream& in, stream& block);
// Writes the records that start at data through the end record; consumed receives the
// bytes of block taken.
Result WriteActions(stream& out, const u8* data, u32 available, u32& consumed);

class tagDoAction : public tagAction {
public:
    tagDoAction() : tagAction(kTagDoAction) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;
    Result Apply(movie& timeline) override;

    const Block& Actions() const { return actions_; }

private:
    Block actions_;
};

}  // namespace swf
