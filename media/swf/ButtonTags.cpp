#include "media/swf/ButtonTags.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"
#include "media/swf/Actions.h"
#include "media/swf/Document.h"
#include "media/swf/Records.h"
#include "media/swf/SoundTags.h"

namespace swf {

using namespace button;

Result tagDefineButton::ReadBody(stream& in, u32 length) {
    const u32 bodyEnd = in.Position() + length;
    SWF_TRY(ReadCharacterId(in));
    u32 actionField = 0;
    u16 actionOffset = 0;
    if (Version() == 2) {
        SWF_TRY(in.ReadU8(trackAsMenu_));
        actionField = in.Position();
        SWF_TRY(in.ReadU16(actionOffset));
    }
    SWF_TRY(ReadRecords(in, length));
    if (Version() == 1) {
        mstream block(BlockGrowStep(length));
        SWF_TRY(block.WriteU16(0));
        SWF_TRY(block.WriteU16(kConditionOverDownToOverUp));
        SWF_TRY(ReadActions(in, block));
        conditions_.Take(block);
        return kOk;
    }
    if (actionOffset == 0) return kOk;
    // The list and its entries lie inside the body: an offset into the following tags would
    // be written back as a different button.
    if (actionField + actionOffset >= bodyEnd) return kErrBadData;
    in.SetPosition(actionField + actionOffset);
    return ReadConditions(in, bodyEnd);
}

Result tagDefineButton::ReadRecords(stream& in, u32 length) {
    mstream block(BlockGrowStep(length));
    u16 hitTestId = 0;
    bool hasHitTest = false;
    for (;;) {
        u8 flags = 0;
        u16 character = 0, layer = 0;
        Matrix matrix;
        Cxform cxform;
        SWF_TRY(in.ReadU8(flags));
        if (flags == 0) break;
        SWF_TRY(in.ReadU16(character));
        SWF_TRY(in.ReadU16(layer));
        SWF_TRY(ReadMatrix(in, matrix));
        in.Align(8);
        if (Version() == 2) {
            SWF_TRY(ReadCxform(in, cxform, true));
            in.Align(8);
        }
        if ((flags & kStateHitTest) && !hasHitTest) {
            hasHitTest = true;
            hitTestId = character;
        }
        SWF_TRY(block.WriteU8(flags));
        SWF_TRY(block.WriteU16(character));
        SWF_TRY(block.WriteU16(layer));
        SWF_TRY(PutMatrix(block, matrix));
        SWF_TRY(PutCxform(block, cxform));
    }
    records_.Take(block);
    if (!hasHitTest) return kErrBadData;
    hitTestCharacter_ = owner_->FindCharacter(hitTestId);
    return kOk;
}

Result tagDefineButton::ReadConditions(stream& in, u32 bodyEnd) {
    mstream block(BlockGrowStep(bodyEnd - in.Position()));
    for (;;) {
        const u32 fileEntry = in.Position();
        const u32 entry = block.Position();
        u16 size = 0, conditions = 0;
        SWF_TRY(in.ReadU16(size));
        SWF_TRY(in.ReadU16(conditions));
        SWF_TRY(block.WriteU16(0));
        SWF_TRY(block.WriteU16(conditions));
        SWF_TRY(ReadActions(in, block));
        if (size == 0) break;
        // An entry may not reach back into the one before: reading stays linear.
        if (u64(fileEntry) + size < in.Position() || u64(fileEntry) + size >= bodyEnd) return kErrBadData;
        SWF_TRY(block.PatchU16(entry, block.Position() - entry));
        in.SetPosition(fileEntry + size);
    }
    conditions_.Take(block);
    return kOk;
}

Result tagDefineButton::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        SWF_TRY(out.WriteU16(CharacterId()));
        if (Version() == 1) {
            SWF_TRY(WriteRecords(out));
            const u8* entry = conditions_.Data();
            u32 consumed = 0;
            if (!entry || conditions_.Size() < 4) return out.WriteU8(action::kEnd);
            return WriteActions(out, entry + 4, conditions_.Size() - 4, consumed);
        }
        SWF_TRY(out.WriteU8(trackAsMenu_));
        const u32 actionField = out.Position();
        SWF_TRY(out.WriteU16(0));
        SWF_TRY(WriteRecords(out));
        if (conditions_.Size() == 0) return kOk;
        SWF_TRY(out.PatchU16(actionField, out.Position() - actionField));
        return WriteConditions(out);
    });
}

Result tagDefineButton::WriteRecords(stream& out) {
    for (u32 i = 0; i < RecordCount(); ++i) {
        const u8* record = Record(i);
        SWF_TRY(out.WriteU8(record[0]));
        SWF_TRY(out.WriteU16(readLE16(record + kRecordCharacter)));
        SWF_TRY(out.WriteU16(readLE16(record + kRecordLayer)));
        SWF_TRY(WriteMatrix(out, GetMatrix(record + kRecordMatrix)));
        out.Align(8);
        if (Version() == 2) {
            SWF_TRY(WriteCxform(out, GetCxform(record + kRecordCxform), true));
            out.Align(8);
        }
    }
    return out.WriteU8(0);
}

Result tagDefineButton::WriteConditions(stream& out) {
    const u8* data = conditions_.Data();
    for (u32 entry = 0; entry + 4 <= conditions_.Size();) {
        const u16 next = readLE16(data + entry);
        const u32 fileEntry = out.Position();
        u32 consumed = 0;
        SWF_TRY(out.WriteU16(0));
        SWF_TRY(out.WriteU16(readLE16(data + entry + 2)));
        SWF_TRY(WriteActions(out, data + entry + 4, conditions_.Size() - entry - 4, consumed));
        if (next == 0) return kOk;
        SWF_TRY(out.PatchU16(fileEntry, out.Position() - fileEntry));
        entry += next;
    }
    return kErrBadData;
}

Result tagDefineButtonCxform::ReadBody(stream& in, u32 length) {
    const u32 bodyEnd = in.Position() + length;
    SWF_TRY(ReadCharacterId(in));
    tagDefineButton* target = owner_->FindCharacterOf<tagDefineButton>(CharacterId());
    if (!target) return kErrBadData;
    // Transforms without alpha leave the alpha terms of a version 2 record as they were.
    for (u32 i = 0; i < target->RecordCount() && in.Position() < bodyEnd; ++i) {
        Cxform read;
        SWF_TRY(ReadCxform(in, read, false));
        in.Align(8);
        u8* field = target->Record(i) + kRecordCxform;
        Cxform kept = GetCxform(field);
        std::copy(read.mul, read.mul + 3, kept.mul);
        std::copy(read.add, read.add + 3, kept.add);
        SetCxform(field, kept);
    }
    return kOk;
}

Result tagDefineButtonCxform::Write(stream& out) {
    tagDefineButton* target = owner_ ? owner_->FindCharacterOf<tagDefineButton>(CharacterId()) : nullptr;
    if (!target) return kErrBadData;
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        SWF_TRY(out.WriteU16(CharacterId()));
        for (u32 i = 0; i < target->RecordCount(); ++i) {
            SWF_TRY(WriteCxform(out, GetCxform(target->Record(i) + kRecordCxform), false));
            out.Align(8);
        }
        return kOk;
    });
}

Result tagDefineButtonSound::ReadBody(stream& in, u32) {
    SWF_TRY(ReadCharacterId(in));
    for (Block& sound : sounds_) SWF_TRY(ReadSoundUse(in, sound));
    return kOk;
}

Result tagDefineButtonSound::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        SWF_TRY(out.WriteU16(CharacterId()));
        for (const Block& sound : sounds_) SWF_TRY(WriteSoundUse(out, sound));
        return kOk;
    });
}

}  // namespace swf
