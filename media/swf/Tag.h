#pragma once
// The base of the tag class tree. A document owns its tags, kept in one doubly linked list
// in file order; a tag unlinks itself when destroyed. Tags with a body reserve a six-byte
// header, write the body and then back-patch the header, in its short form when the body
// allows it and the class asks for it.
#include "media/swf/NameTree.h"
#include "media/swf/Stream.h"
#include "media/swf/TagCodes.h"

namespace swf {

class document;
class movie;

class tag {
public:
    explicit tag(u16 code) : code_(code) {}
    tag(const tag&) = delete;
    tag& operator=(const tag&) = delete;
    virtual ~tag();

    // With a document: inserts after its insertion cursor, which then points here.
    // With none: takes the tag out of its list.
    virtual void Link(document* owner);
    virtual Result ReadBody(stream& in, u32 length);
    virtual Result Write(stream& out);

    u16 Code() const { return code_; }
    document* Owner() const { return owner_; }
    tag* Next() const { return next_; }
    tag* Previous() const { return previous_; }

protected:
    // Moves this tag after another of its list (none: to the head). The cursor stays at the
    // end of the list, so that the tags read later keep their file order.
    void MoveAfter(tag* before);
    void InsertAfter(tag* before);

    u16 code_;
    document* owner_ = nullptr;

private:
    void Unlink();

    tag* next_ = nullptr;
    tag* previous_ = nullptr;
};

// Tags that act on the display list when their frame is played.
class tagAction : public tag {
public:
    using tag::tag;

    // Plays the tag into the timeline; tags that change nothing answer kOk.
    virtual Result Apply(movie& timeline);
};

// Character definitions: entered into their document's character list, sorted by id.
// While a movie plays, a character is instantiated into display-list entries; the use count
// says in how many it shows.
class tagObject : public tag, public NameTreeInstance {
public:
    using tag::tag;
    ~tagObject() override;

    void AddUse() { ++useCount_; }
    void DropUse() { --useCount_; }
    u32 UseCount() const { return useCount_; }
    // Characters that draw nothing answer an all-zero RECT.
    virtual Rect GetBounds() const { return Rect{}; }
    // Shows the character in the entry, releasing what the entry held before.
    virtual Result Instantiate(u32 index, movie& timeline);
    // Leaves the entry reserved and empty.
    void ReleaseInstance(NameTree& tree, u32 index) override;

    void Link(document* owner) override;

    u16 CharacterId() const { return characterId_; }
    void SetCharacterId(u16 id);
    u16 LatestPlacingFrame() const { return latestPlacingFrame_; }
    void SetLatestPlacingFrame(u16 frame) { latestPlacingFrame_ = frame; }
    tagObject* NextCharacter() const { return nextCharacter_; }
    tagObject* PreviousCharacter() const { return previousCharacter_; }

protected:
    // The first step of every character body: the id, then entry into the character list.
    Result ReadCharacterId(stream& in);
    // The entry kind of a plain instance of this character.
    virtual u32 InstanceKind() const { return kEntryCharacter; }

private:
    void EnterCharacterList();
    void LeaveCharacterList();

    u16 characterId_ = 0;
    u16 latestPlacingFrame_ = 0;
    u32 useCount_ = 0;
    tagObject* nextCharacter_ = nullptr;
    tagObject* previousCharacter_ = nullptr;
    bool listed_ = false;
};

// Empties an entry before something else is shown there: its children go, its instance is
// released, and it is left reserved.
void ReleaseEntry(NameTree& tree, u32 index);

enum class HeaderForm { Compact, Long };

// Writes the header of a body already written after a six-byte reservation at the current
// position; the compact form moves a body shorter than 63 bytes four bytes earlier.
Result WriteTagHeader(u16 code, stream& out, u32 length, HeaderForm form);

// The reservation pattern around a body writer.
template <class BodyWriter>
Result WriteTagWithBody(stream& out, u16 code, HeaderForm form, BodyWriter&& writeBody) {
    static const u8 kReserved[6] = {};
    out.Align(8);
    const u32 start = out.Position();
    SWF_TRY(out.WriteBytes(6, kReserved));
    SWF_TRY(writeBody());
    out.Align(8);
    const u32 length = out.Position() - start - 6;
    out.SetPosition(start);
    return WriteTagHeader(code, out, length, form);
}

}  // namespace swf
