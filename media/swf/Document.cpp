#include "media/swf/Document.h"

#include <cstring>

#include "engine/base/ByteOrder.h"
#include "media/swf/Block.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/Records.h"
#include "media/swf/Tag.h"

namespace swf {

namespace {

constexpr u8 kSignature[3] = {'F', 'W', 'S'};
constexpr u32 kFileLengthOffset = 4;

}  // namespace

document::document(document* parent) {
    if (parent) Attach(parent);
}

document::~document() { Clear(); }

void document::Attach(document* parent) {
    parent_ = parent;
    nextSibling_ = parent->firstChild_;
    if (nextSibling_) nextSibling_->previousSibling_ = this;
    parent->firstChild_ = this;
    version = parent->version;
    frameRect = parent->frameRect;
    frameRate = parent->frameRate;
}

void document::Detach() {
    if (!parent_) return;
    if (previousSibling_) previousSibling_->nextSibling_ = nextSibling_;
    else parent_->firstChild_ = nextSibling_;
    if (nextSibling_) nextSibling_->previousSibling_ = previousSibling_;
    parent_ = nextSibling_ = previousSibling_ = nullptr;
}

void document::Forget(const tag* gone) {
    if (cursor_ == gone) cursor_ = nullptr;
    if (static_cast<const void*>(jpegTables_) == gone) jpegTables_ = nullptr;
    if (static_cast<const void*>(extension_) == gone) extension_ = nullptr;
    if (static_cast<const void*>(colorTable_) == gone) colorTable_ = nullptr;
}

Result document::ReadHeader(stream& in) {
    stream_ = &in;
    in.Align(8);
    Result result = kOk;
    if (!parent_) {
        u8 signature[3];
        u32 fileLength = 0;
        u16 rate = 0;
        result = in.ReadBytes(3, signature);
        if (result == kOk && std::memcmp(signature, kSignature, 3) != 0) result = kErrBadData;
        if (result == kOk) result = in.ReadU8(version);
        if (result == kOk) result = in.ReadU32(fileLength);
        if (result == kOk) result = ReadRect(in, frameRect);
        in.Align(8);
        if (result == kOk) result = in.ReadU16(rate);
        frameRate = u32(rate) << 8;
    }
    if (result == kOk) result = in.ReadU16(frameCount);
    if (result != kOk) {
        stream_ = nullptr;
        version = 0;
    }
    return Keep(result);
}

Result document::ReadTags() {
    if (!stream_) return Keep(kErrBadData);
    Result result = kOk;
    while (result == kOk && stream_) {
        tag* made = nullptr;
        result = ReadNextTag(made);
    }
    stream_ = nullptr;
    scratch_.reset();
    return Keep(result);
}

Result document::ReadNextTag(tag*& made) {
    made = nullptr;
    if (!stream_) return Keep(kErrBadData);
    cursor_ = lastTag_;
    const Result result = TagFactory(*this, *stream_, made);
    if (result == kOk && made->Code() == kTagShowFrame) ++framesRead;
    if (result != kOk || (lastTag_ && lastTag_->Code() == kTagEnd)) {
        stream_ = nullptr;
        scratch_.reset();
    }
    return Keep(result);
}

Result document::Write(stream& out) {
    stream_ = &out;
    out.Align(8);
    const u32 start = out.Position();
    Result result = kOk;
    if (!parent_) {
        result = out.WriteBytes(3, kSignature);
        if (result == kOk) result = out.WriteU8(version);
        if (result == kOk) result = out.WriteU32(0);
        if (result == kOk) result = WriteRect(out, frameRect);
        out.Align(8);
        if (result == kOk) result = out.WriteU16(u16(frameRate >> 8));
    }
    if (result == kOk) result = out.WriteU16(frameCount);
    for (tag* t = firstTag_; t && result == kOk; t = t->Next()) {
        out.Align(8);
        result = t->Write(out);
    }
    out.Align(8);
    if (result == kOk && !parent_) {
        const u32 end = out.Position();
        u8 length[4];
        writeLE32(length, end - start);
        result = out.Write(start + kFileLengthOffset, 4, length);
        if (result == kOk) result = out.Truncate(end);
    }
    stream_ = nullptr;
    return Keep(result);
}

void document::DeleteTags() {
    while (firstTag_) delete firstTag_;
    version = 0;
    framesRead = 0;
    lastTag_ = nullptr;
    cursor_ = nullptr;
    firstCharacter_ = nullptr;
    lastCharacter_ = nullptr;
    firstLabel_ = nullptr;
}

void document::Clear() {
    DeleteTags();
    stream_ = nullptr;
    scratch_.reset();
    Detach();
}

mstream& document::BuildScratch() {
    if (!scratch_) scratch_ = std::make_unique<mstream>(kScratchGrowStep);
    scratch_->Empty();
    return *scratch_;
}

// Placements mostly name recent characters, so the sorted list is searched from its end.
tagObject* document::FindCharacter(u16 id, const std::type_info* exactClass) const {
    for (const document* d = this; d; d = d->parent_) {
        tagObject* c = d->lastCharacter_;
        while (c && c->CharacterId() > id) c = c->PreviousCharacter();
        if (!c || c->CharacterId() != id) continue;
        while (c->PreviousCharacter() && c->PreviousCharacter()->CharacterId() == id) c = c->PreviousCharacter();
        for (; c && c->CharacterId() == id; c = c->NextCharacter())
            if (!exactClass || typeid(*c) == *exactClass) return c;
    }
    return nullptr;
}

u32 document::FrameDurationMs() const {
    const u32 rate = frameRate < kMinFrameRate ? kMinFrameRate : frameRate;
    return u32(kFrameDurationNumerator / rate);
}

}  // namespace swf
