#include "media/swf/Timeline.h"

#include <cstring>

#include "media/swf/FrameTags.h"
#include "media/swf/Player.h"
#include "media/swf/Tag.h"

namespace swf {

movie::movie(player& root, document& source, u32 ownEntry, movie* parent)
    : player_(root), ownEntry_(ownEntry), document_(source), parent_(parent) {
    if (!parent_) return;
    nextSibling_ = parent_->firstChild_;
    if (nextSibling_) nextSibling_->previousSibling_ = this;
    parent_->firstChild_ = this;
}

movie::~movie() {
    if (ownEntry_ != kNoEntry) {
        const u32 entry = ownEntry_;
        ownEntry_ = kNoEntry;
        DisplayList().Remove(entry);
    }
    // Children live as long as their entries, which the removal above has taken; any left
    // (the root's, whose entries the player removes) are only cut loose.
    for (movie* child = firstChild_; child; child = child->nextSibling_) child->parent_ = nullptr;
    if (parent_) {
        if (previousSibling_) previousSibling_->nextSibling_ = nextSibling_;
        else parent_->firstChild_ = nextSibling_;
        if (nextSibling_) nextSibling_->previousSibling_ = previousSibling_;
    }
    if (this != static_cast<movie*>(&player_)) player_.Died(this);
}

NameTree& movie::DisplayList() const { return player_.DisplayList(); }

void movie::Rewind() {
    NameTree& list = DisplayList();
    if (ownEntry_ != kNoEntry) {
        list.RemoveChildren(ownEntry_);
    } else {
        std::vector<u32> top;
        for (u32 at = list.First(); at != kNoEntry; at = list.Entry(at).next)
            if (list.Entry(at).parent == kNoEntry) top.push_back(at);
        for (u32 index : top) list.Remove(index);
    }
    currentFrame_ = 0;
    currentTag_ = nullptr;
}

Result movie::NextTag(tag*& next) {
    next = currentTag_ ? currentTag_->Next() : document_.FirstTag();
    if (next || !document_.Source()) return kOk;
    if (currentTag_ && currentTag_ != document_.LastTag()) return kOk;
    return document_.ReadNextTag(next);
}

Result movie::AdvanceFrame() {
    player_.EnterCall(*this);
    const Result result = Step();
    player_.LeaveCall();
    return Keep(result);
}

// A movie whose tags end without an End tag is treated as if it had one.
Result movie::Step() {
    bool rewoundSinceFrame = false;
    tag* at = nullptr;
    SWF_TRY(NextTag(at));
    for (;;) {
        if (at && at->Code() != kTagEnd && at->Code() != kTagShowFrame) {
            // Applying runs no actions (DoAction only queues them): the next tag follows.
            if (auto* action = dynamic_cast<tagAction*>(at)) {
                if (!player_.Spend()) return kErrBadData;
                SWF_TRY(action->Apply(*this));
            }
            tag* played = at;
            at = played->Next();
            if (!at && document_.Source() && played == document_.LastTag()) SWF_TRY(document_.ReadNextTag(at));
            continue;
        }
        if (at && at->Code() == kTagShowFrame) {
            if (!player_.Spend()) return kErrBadData;
            const u16 before = currentFrame_;
            tag* beforeTag = currentTag_;
            player_.RunActions();
            if (player_.Exhausted()) return kErrBadData;
            if (currentFrame_ == before && currentTag_ == beforeTag) {
                ++currentFrame_;
                currentTag_ = at;
                return kOk;
            }
            // A goto moved this timeline: play on from where it left it, to the next frame.
            rewoundSinceFrame = false;
            SWF_TRY(NextTag(at));
            continue;
        }
        // The End tag, or no further tag.
        const bool holds = (ownEntry_ == kNoEntry && (firstChild_ || !player_.Buttons().empty())) || buttonCount > 0;
        if (holds) {
            nextFrameTime = player_.clock + document_.FrameDurationMs();
            return kOk;
        }
        if (nextFrameTime == 0 || rewoundSinceFrame) return kOk;
        if (!player_.Spend()) return kErrBadData;
        Rewind();
        buttonCount = 0;
        rewoundSinceFrame = true;
        SWF_TRY(NextTag(at));
    }
}

Result movie::GotoFrame(u16 frame) {
    if (frame == 0xFFFF) frame = document_.frameCount ? u16(document_.frameCount - 1) : 0;
    if (frame > document_.frameCount) return Keep(kErrNotFound);
    player_.EnterCall(*this);
    ++gotoDepth_;
    if (currentFrame_ > frame) Rewind();
    Result result = kOk;
    while (currentFrame_ != frame) {
        const u16 before = currentFrame_;
        result = Step();
        if (result != kOk) break;
        // Holding, stopping or starting again at the End tag: the frame lies past the tags.
        if (currentFrame_ <= before) {
            result = kErrNotFound;
            break;
        }
    }
    --gotoDepth_;
    player_.LeaveCall();
    return Keep(result);
}

Result movie::GotoLabel(const char* label) {
    const size_t length = std::strlen(label);
    const tagFrameLabel* found = nullptr;
    // The list is newest first; the first label of the text in file order wins.
    for (const tagFrameLabel* l = document_.FirstLabel(); l; l = l->NextLabel())
        if (l->Name().ByteLength() == length && std::memcmp(l->Name().c_str(), label, length) == 0) found = l;
    if (!found) return Keep(kErrNotFound);
    return GotoFrame(found->Frame());
}

}  // namespace swf
