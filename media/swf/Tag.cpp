#include "media/swf/Tag.h"

#include <vector>

#include "media/swf/CharacterEvents.h"
#include "media/swf/Document.h"
#include "media/swf/IntrusiveList.h"

namespace swf {

tag::~tag() { Unlink(); }

void tag::Link(document* owner) {
    Unlink();
    if (!owner) return;
    owner_ = owner;
    InsertAfter(owner->cursor_);
}

void tag::InsertAfter(tag* before) {
    ListLinkAfter<tag, &tag::next_, &tag::previous_>(this, before, owner_->firstTag_, owner_->lastTag_);
    owner_->cursor_ = this;
}

void tag::MoveAfter(tag* before) {
    if (before == this) return;
    if (owner_->cursor_ == this) owner_->cursor_ = previous_;
    ListUnlink<tag, &tag::next_, &tag::previous_>(this, owner_->firstTag_, owner_->lastTag_);
    InsertAfter(before);
    owner_->cursor_ = owner_->lastTag_;
}

void tag::Unlink() {
    if (!owner_) return;
    document* owner = owner_;
    if (owner->cursor_ == this) owner->cursor_ = previous_;
    ListUnlink<tag, &tag::next_, &tag::previous_>(this, owner->firstTag_, owner->lastTag_);
    owner->Forget(this);
    owner_ = nullptr;
}

Result tag::ReadBody(stream&, u32) { return kOk; }

Result tag::Write(stream& out) {
    out.Align(8);
    return out.WriteU16(u16(code_ << 6));
}

// A character left unlisted may have been drawn since it left its list: what was kept for it
// goes with it all the same.
tagObject::~tagObject() {
    LeaveCharacterList();
    NotifyDrawingUnneeded(*this);
}

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
// Characters mostly arrive in ascending id order, so the place is searched from the end.
void tagObject::EnterCharacterList() {
    if (characterId_ == 0 || listed_) return;
    tagObject* before = owner_->lastCharacter_;
    while (before && before->characterId_ > characterId_) before = before->previousCharacter_;
    ListLinkAfter<tagObject, &tagObject::nextCharacter_, &tagObject::previousCharacter_>(
        this, before, owner_->firstCharacter_, owner_->lastCharacter_);
    listed_ = true;
}

void tagObject::LeaveCharacterList() {
    if (!listed_) return;
    NotifyDrawingUnneeded(*this);
    ListUnlink<tagObject, &tagObject::nextCharacter_, &tagObject::previousCharacter_>(
        this, owner_->firstCharacter_, owner_->lastCharacter_);
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
