#include "media/swf/FrameTags.h"

#include "media/swf/Document.h"
#include "media/swf/Records.h"

namespace swf {

namespace {

constexpr struct {
    u8 file;
    u16 memory;
} kPlaceFlags[] = {{0x40, kPlaceHasClipDepth}, {0x08, kPlaceHasCxform}, {0x02, kPlaceHasCharacter},
                   {0x04, kPlaceHasMatrix},    {0x01, kPlaceMove},      {0x20, kPlaceHasName},
                   {0x10, kPlaceHasRatio}};

}  // namespace

Result tagPlaceObject::ReadBody(stream& in, u32 length) {
    if (code_ == kTagPlaceObject) return ReadPlaceObject(in, in.Position() + length);
    return ReadPlaceObject2(in);
}

Result tagPlaceObject::ReadPlaceObject(stream& in, u32 bodyEnd) {
    flags = kPlaceHasCharacter | kPlaceHasMatrix;
    SWF_TRY(in.ReadU16(characterId));
    SWF_TRY(in.ReadU16(depth));
    SWF_TRY(ReadMatrix(in, matrix));
    in.Align(8);
    if (in.Position() < bodyEnd) {
        SWF_TRY(ReadCxform(in, cxform, false));
        flags |= kPlaceHasCxform;
    }
    return NotePlacement();
}

Result tagPlaceObject::ReadPlaceObject2(stream& in) {
    u8 fileFlags = 0;
    SWF_TRY(in.ReadU8(fileFlags));
    for (const auto& flag : kPlaceFlags)
        if (fileFlags & flag.file) flags |= flag.memory;
    SWF_TRY(in.ReadU16(depth));
    if (flags & kPlaceHasCharacter) SWF_TRY(in.ReadU16(characterId));
    if (flags & kPlaceHasMatrix) {
        SWF_TRY(ReadMatrix(in, matrix));
        in.Align(8);
    }
    if (flags & kPlaceHasCxform) {
        SWF_TRY(ReadCxform(in, cxform, true));
        in.Align(8);
    }
    if (flags & kPlaceHasRatio) SWF_TRY(in.ReadU16(ratio));
    if (flags & kPlaceHasName) SWF_TRY(in.ReadString(name));
    if (flags & kPlaceHasClipDepth) SWF_TRY(in.ReadU16(clipDepth));
    return NotePlacement();
}

Result tagPlaceObject::NotePlacement() {
    if (!(flags & kPlaceHasCharacter)) return kOk;
    tagObject* character = owner_->FindCharacter(characterId);
    if (!character) return kErrBadData;
    character->SetLatestPlacingFrame(u16(owner_->framesRead + 1));
    return kOk;
}

Result tagPlaceObject::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        if (code_ == kTagPlaceObject) {
            SWF_TRY(out.WriteU16(characterId));
            SWF_TRY(out.WriteU16(depth));
            SWF_TRY(WriteMatrix(out, matrix));
            out.Align(8);
            if (flags & kPlaceHasCxform) SWF_TRY(WriteCxform(out, cxform, false));
            return kOk;
        }
        u8 fileFlags = 0;
        for (const auto& flag : kPlaceFlags)
            if (flags & flag.memory) fileFlags |= flag.file;
        SWF_TRY(out.WriteU8(fileFlags));
        SWF_TRY(out.WriteU16(depth));
        if (flags & kPlaceHasCharacter) SWF_TRY(out.WriteU16(characterId));
        if (flags & kPlaceHasMatrix) {
            SWF_TRY(WriteMatrix(out, matrix));
            out.Align(8);
        }
        if (flags & kPlaceHasCxform) {
            SWF_TRY(WriteCxform(out, cxform, true));
            out.Align(8);
        }
        if (flags & kPlaceHasRatio) SWF_TRY(out.WriteU16(ratio));
        if (flags & kPlaceHasName) SWF_TRY(out.WriteString(name));
        if (flags & kPlaceHasClipDepth) SWF_TRY(out.WriteU16(clipDepth));
        return kOk;
    });
}

Result tagRemoveObject::ReadBody(stream& in, u32) {
    if (code_ == kTagRemoveObject) SWF_TRY(in.ReadU16(characterId));
    return in.ReadU16(depth);
}

Result tagRemoveObject::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        if (code_ == kTagRemoveObject) SWF_TRY(out.WriteU16(characterId));
        return out.WriteU16(depth);
    });
}

Result tagSetBackgroundColor::ReadBody(stream& in, u32) { return in.ReadRGB(colour, false); }

Result tagSetBackgroundColor::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() { return out.WriteRGB(colour, false); });
}

tagFrameLabel::~tagFrameLabel() { LeaveLabels(); }

void tagFrameLabel::Link(document* owner) {
    LeaveLabels();
    tag::Link(owner);
}

Result tagFrameLabel::ReadBody(stream& in, u32) {
    SWF_TRY(in.ReadString(name_));
    frame_ = owner_->framesRead;
    LeaveLabels();
    nextLabel_ = owner_->firstLabel_;
    owner_->firstLabel_ = this;
    listed_ = true;
    return kOk;
}

Result tagFrameLabel::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() { return out.WriteString(name_); });
}

void tagFrameLabel::LeaveLabels() {
    if (!listed_) return;
    for (tagFrameLabel** link = &owner_->firstLabel_; *link; link = &(*link)->nextLabel_) {
        if (*link == this) {
            *link = nextLabel_;
            break;
        }
    }
    nextLabel_ = nullptr;
    listed_ = false;
}

}  // namespace swf
