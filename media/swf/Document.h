#pragma once
// One movie in memory: the header, the tags in file order, the character list sorted by id,
// the frame labels and the special tags the others consult. A document owns its tags; a
// sprite's tag owns its nested document, which is a child of the document holding the sprite
// and shares its header. Only uncompressed "FWS" movies are read and written.
// Documents belong to the user-interface thread.
#include <typeinfo>

#include <memory>

#include "media/swf/Stream.h"

namespace swf {

class mstream;
class tag;
class tagObject;
class tagFrameLabel;
class tagJPEGTables;
class xtagExtensions;
class xtagColorXTable;

// Frame rates are 16.16 frames per second.
constexpr u32 kMinFrameRate = 0x10000;
constexpr u64 kFrameDurationNumerator = 65536000;

class document {
public:
    // With a parent: becomes its first child and takes its version, frame RECT and rate.
    explicit document(document* parent = nullptr);
    document(const document&) = delete;
    document& operator=(const document&) = delete;
    ~document();

    // Reads the header; a nested document reads only its frame count. The stream is kept
    // for ReadTags, which reads up to the End tag and then lets go of it.
    Result ReadHeader(stream& in);
    Result ReadTags();
    // Appends the next tag of the stream; the stream is let go of at the End tag or an error.
    Result ReadNextTag(tag*& made);
    // A top-level movie's data ends where its End tag does: the stream is cut there.
    Result Write(stream& out);
    void DeleteTags();
    // DeleteTags, and also forgets the stream and leaves the parent.
    void Clear();
    // Leaves its parent and becomes the first child of the new one, sharing its header.
    void SetParent(document* parent) {
        Detach();
        if (parent) Attach(parent);
    }

    // The first character with the id, of exactly the given class when one is given; the
    // search goes on in the parent document.
    tagObject* FindCharacter(u16 id, const std::type_info* exactClass = nullptr) const;
    template <class T>
    T* FindCharacterOf(u16 id) const {
        return static_cast<T*>(FindCharacter(id, &typeid(T)));
    }

    // How long one frame lasts: 65536000 / rate, with rates below one frame per second
    // (0 among them) taken as one frame per second.
    u32 FrameDurationMs() const;

    // An empty stream for a tag being read to build its parsed block in before copying it
    // out at its exact size: one block for the whole read, grown to the largest built, rather
    // than one grown and shrunk again for each tag. Let go of with the stream.
    mstream& BuildScratch();

    Result LastError() const { return lastError_; }
    stream* Source() const { return stream_; }
    document* Parent() const { return parent_; }
    document* FirstChild() const { return firstChild_; }
    document* NextSibling() const { return nextSibling_; }

    u8 version = 0;
    Rect frameRect;
    u32 frameRate = 0;  // 16.16 frames per second
    u16 frameCount = 0;
    u16 framesRead = 0;

    // Reading stops with kErrMemory at a tag that would reach past this stream position: a
    // sprite's nested tags stay inside the sprite's body.
    u32 ReadEnd() const { return readEnd_; }
    void SetReadEnd(u32 end) { readEnd_ = end; }

    tag* FirstTag() const { return firstTag_; }
    tag* LastTag() const { return lastTag_; }
    tag* Cursor() const { return cursor_; }
    void SetCursor(tag* cursor) { cursor_ = cursor; }
    tagObject* FirstCharacter() const { return firstCharacter_; }
    tagFrameLabel* FirstLabel() const { return firstLabel_; }
    tagJPEGTables* JpegTables() const { return jpegTables_; }
    xtagExtensions* Extension() const { return extension_; }
    xtagColorXTable* ColorTable() const { return colorTable_; }

private:
    friend class tag;
    friend class tagObject;
    friend class tagFrameLabel;
    friend class tagJPEGTables;
    friend class xtagExtensions;
    friend class xtagColorXTable;

    void Attach(document* parent);
    void Detach();
    void Forget(const tag* gone);
    Result Keep(Result result) { return lastError_ = result; }

    Result lastError_ = kOk;
    stream* stream_ = nullptr;
    std::unique_ptr<mstream> scratch_;
    u32 readEnd_ = 0xFFFFFFFF;
    document* nextSibling_ = nullptr;
    document* previousSibling_ = nullptr;
    document* parent_ = nullptr;
    document* firstChild_ = nullptr;
    tag* firstTag_ = nullptr;
    tag* lastTag_ = nullptr;
    tag* cursor_ = nullptr;
    tagObject* firstCharacter_ = nullptr;
    tagObject* lastCharacter_ = nullptr;
    tagFrameLabel* firstLabel_ = nullptr;
    tagJPEGTables* jpegTables_ = nullptr;
    xtagExtensions* extension_ = nullptr;
    xtagColorXTable* colorTable_ = nullptr;
};

// Reads one tag at the stream's position into the document: header, object of the code's
// class, body; the tag stays linked even when its body fails. made receives the tag.
Result TagFactory(document& owner, stream& in, tag*& made);

}  // namespace swf
