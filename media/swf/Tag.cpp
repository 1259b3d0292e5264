#include "media/swf/Tag.h"

#include <vector>

#include "media/swf/Document.h"

namespace swf {

tag::~tag() { Unlink(); }

void tag::Link(document* owner) {
    if (!owner) {
        Unlink();
        return;
    }
    Unlink();
    owner_ = owner;
    InsertAfter(owner->cursor_);
}

void tag::InsertAfter(tag* before) {
    document* owner = owner_;
    previous_ = before;
    next_ = before ? before->next_ : owner->firstTag_;
    if (next_) next_->previous_ = this;
    else owner->lastTag_ = this;
    if (before) before->next_ = this;
    else owner->firstTag_ = this;
    owner->cursor_ = this;
}

void tag::MoveAfter(tag* before) {
    if (before == this) return;
    document* owner = owner_;
    if (owner->cursor_ == this) owner->cursor_ = previous_;
    if (previous_) previous_->next_ = next_;
    else owner->firstTag_ = next_;
    if (next_) next_->previous_ = previous_;
    else owner->lastTag_ = previous_;
    InsertAfter(before);
    owner->cursor_ = owner->lastTag_;
}

void tag::Unlink() {
    if (!owner_) return;
    document* owner = owner_;
    if (owner->cursor_ == this) owner->cursor_ = previous_;
    if (previous_) previous_->next_ = next_;
    else owner->firstTag_ = next_;
    if (next_) next_->previous_ = previous_;
    else owner->lastTag_ = previous_;
    owner->Forget(this);
    next_ = previous_ = nullptr;
    owner_ = nullptr;
}

Result tag::ReadBody(stream&, u32) { return kOk; }

Result tag::Write(stream& out) {
    out.Align(8);
    return out.WriteU16(u16(code_ << 6));
}

tagObject::~tagObject() { LeaveCharacterList(); }

void tagObject::Link(document* owner) {
    LeaveCharacterList();
    tag::Link(owner);
    if (owner) EnterCharacterList();
}

void tagObject::SetCharacterId(u16 id) {
    LeaveCharacterList();
    characterId_ = id;
    if (owner_) EnterCharacterList();
}

Result tagObject::ReadCharacterId(stream& in) {
    u16 id = 0;
    SWF_TRY(in.ReadU16(id));
    SetCharacterId(id);
    return kOk;
}

// Characters mostly arrive in ascending id order, so the place is searched from the end.
void tagObject::EnterCharacterList() {
    if (characterId_ == 0 || listed_) return;
    tagObject* before = owner_->lastCharacter_;
    while (before && before->characterId_ > characterId_) before = before->previousCharacter_;
    previousCharacter_ = before;
    nextCharacter_ = before ? before->nextCharacter_ : owner_->firstCharacter_;
    if (nextCharacter_) nextCharacter_->previousCharacter_ = this;
    else owner_->lastCharacter_ = this;
    if (before) before->nextCharacter_ = this;
    else owner_->firstCharacter_ = this;
    listed_ = true;
}

void tagObject::LeaveCharacterList() {
    if (!listed_) return;
    if (previousCharacter_) previousCharacter_->nextCharacter_ = nextCharacter_;
    else owner_->firstCharacter_ = nextCharacter_;
    if (nextCharacter_) nextCharacter_->previousCharacter_ = previousCharacter_;
    else owner_->lastCharacter_ = previousCharacter_;
    nextCharacter_ = previousCharacter_ = nullptr;
    listed_ = false;
}

Result WriteTagHeader(u16 code, stream& out, u32 length, HeaderForm form) {
    const u32 start = out.Position();
    if (form == HeaderForm::Compact && length < kLongLengthMark) {
        std::vector<u8> body(length);
        out.SetPosition(start + 6);
        SWF_TRY(out.ReadBytes(length, body.data()));
        out.SetPosition(start);
        SWF_TRY(out.WriteU16(u16((code << 6) | length)));
        return out.WriteBytes(length, body.data());
    }
    SWF_TRY(out.WriteU16(u16((code << 6) | kLongLengthMark)));
    SWF_TRY(out.WriteU32(length));
    out.SetPosition(start + 6 + length);
    return kOk;
}

}  // namespace swf
