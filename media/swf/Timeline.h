#pragma once
// swf::movie, one timeline of a playing movie: the root movie (the player itself) or the
// timeline of one placed sprite. A timeline plays the tags of its document frame by frame
// into the player's display list, under its own entry there. It has no clock: its owner steps
// it and compares the next-frame time with the player's clock. Belongs to the thread that
// plays the movie.
#include "media/swf/Document.h"
#include "media/swf/NameTree.h"

namespace swf {

class player;
class tag;

class movie {
public:
    movie(player& root, document& source, u32 ownEntry, movie* parent);
    movie(const movie&) = delete;
    movie& operator=(const movie&) = delete;
    virtual ~movie();

    // Plays the tags of the next frame; at the End tag the timeline holds, stays or rewinds.
    Result AdvanceFrame();
    // 0xFFFF is the last frame. A frame past the frame count, or one the timeline cannot reach
    // (its tags end first), gives kErrNotFound.
    Result GotoFrame(u16 frame);
    // The frame of the first label of that exact text; kErrNotFound when there is none.
    Result GotoLabel(const char* label);

    Result LastError() const { return lastError_; }
    player& Player() const { return player_; }
    NameTree& DisplayList() const;
    u32 OwnEntry() const { return ownEntry_; }
    document& Document() const { return document_; }
    movie* Parent() const { return parent_; }
    movie* FirstChild() const { return firstChild_; }
    movie* NextSibling() const { return nextSibling_; }
    u16 CurrentFrame() const { return currentFrame_; }
    tag* CurrentTag() const { return currentTag_; }
    bool InGoto() const { return gotoDepth_ != 0; }

    // Milliseconds on the player's clock; 0 = stopped.
    u32 nextFrameTime = 0;
    i32 buttonCount = 0;

protected:
    // The entries under this timeline's own entry go; frame 0, before the first tag.
    void Rewind();
    // A sprite's timeline leaves its entry without removing it (the entry is being removed).
    void ForgetEntry() { ownEntry_ = kNoEntry; }

private:
    Result Step();
    Result NextTag(tag*& next);
    Result Keep(Result result) { return lastError_ = result; }

    Result lastError_ = kOk;
    player& player_;
    u32 ownEntry_;
    document& document_;
    movie* parent_;
    movie* previousSibling_ = nullptr;
    movie* nextSibling_ = nullptr;
    movie* firstChild_ = nullptr;
    u16 currentFrame_ = 0;
    tag* currentTag_ = nullptr;
    u32 gotoDepth_ = 0;
};

}  // namespace swf
