#include "media/swf/Actions.h"

#include <vector>

#include "engine/base/ByteOrder.h"

namespace swf {

using namespace action;

namespace {

// Payload bytes the player reads from the records it acts on.
u32 MinimumPayload(u8 code) {
    if (code == kGotoFrame) return 2;
    if (code == kWaitForFrame) return 3;
    return 0;
}

}  // namespace

Result ReadActions(stream& in, stream& block) {
    std::vector<u8> payload;
    for (;;) {
        u8 fileCode = 0;
        u16 length = 0;
        SWF_TRY(in.ReadU8(fileCode));
        const u8 code = fileCode & ~kHasPayload;
        if (fileCode & kHasPayload) {
            SWF_TRY(in.ReadU16(length));
            if (length < MinimumPayload(code) || length > 0xFFFF - kHeaderSize) return kErrBadData;
            payload.resize(length);
            SWF_TRY(in.ReadBytes(length, payload.data()));
        }
        SWF_TRY(block.WriteU8(code));
        SWF_TRY(block.WriteU16(u16(length + kHeaderSize)));
        SWF_TRY(block.WriteBytes(length, payload.data()));
        if (code == kEnd) return kOk;
    }
}

// A record without payload goes back as its one code byte, whatever its code: the long form
// would turn the stack actions of later versions into different actions.
Result WriteActions(stream& out, const u8* data, u32 available, u32& consumed) {
    u32 at = 0;
    while (at + kHeaderSize <= available) {
        const u8 code = data[at];
        const u16 size = readLE16(data + at + 1);
        if (size < kHeaderSize || size > available - at) return kErrBadData;
        if (size == kHeaderSize) {
            SWF_TRY(out.WriteU8(code));
        } else {
            SWF_TRY(out.WriteU8(code | kHasPayload));
            SWF_TRY(out.WriteU16(u16(size - kHeaderSize)));
            SWF_TRY(out.WriteBytes(size - kHeaderSize, data + at + kHeaderSize));
        }
        at += size;
        if (code == kEnd) {
            consumed = at;
            return kOk;
        }
    }
    return kErrBadData;
}

Result tagDoAction::ReadBody(stream& in, u32 length) {
    mstream block(BlockGrowStep(length));
    SWF_TRY(ReadActions(in, block));
    actions_.Take(block);
    return kOk;
}

Result tagDoAction::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        u32 consumed = 0;
        return WriteActions(out, actions_.Data(), actions_.Size(), consumed);
    });
}

}  // namespace swf
