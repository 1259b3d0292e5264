#include "media/swf/Player.h"

#include <algorithm>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "media/swf/Actions.h"
#include "media/swf/ButtonInstance.h"
#include "media/swf/Sound.h"
#include "media/swf/SpriteInstance.h"

namespace swf {

namespace {

// The text of a payload from offset on, when a zero byte ends it inside the payload.
const char* PayloadText(const u8* payload, u32 size, u32 offset) {
    if (offset >= size) return nullptr;
    const void* zero = std::memchr(payload + offset, 0, size - offset);
    return zero ? reinterpret_cast<const char*>(payload + offset) : nullptr;
}

bool IsOwnWindow(const char* window) {
    static const char kSelf[] = "_self";
    for (size_t i = 0; i < sizeof kSelf; ++i) {
        const char c = window[i];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != kSelf[i]) return false;
    }
    return true;
}

bool IsFrameMove(u8 code) {
    return code == action::kGotoFrame || code == action::kNextFrame || code == action::kPreviousFrame ||
           code == action::kWaitForFrame || code == action::kGoToLabel;
}

}  // namespace

player::player(document& source, PlayerEventCallback callback)
    : movie(*this, source, kNoEntry, nullptr), displayList_(this), callback_(callback) {
    live_.insert(this);
}

player::~player() {
    ClearActions();
    StopSounds();
    displayList_.RemoveChildren(kNoEntry);
}

void player::Died(movie* timeline) {
    live_.erase(timeline);
    std::erase_if(queue_, [timeline](const QueuedActions& item) { return item.timeline == timeline; });
}

void player::EnterCall(movie& timeline) {
    if (busy_.empty()) {
        stepsLeft_ = stepBudget;
        exhausted_ = false;
    }
    busy_.push_back(&timeline);
}

bool player::Spend() {
    if (stepsLeft_ == 0) {
        exhausted_ = true;
        return false;
    }
    --stepsLeft_;
    return true;
}

void player::QueueActions(movie& timeline, const u8* actions, u32 size) {
    if (actions && size) queue_.push_back(QueuedActions{&timeline, actions, size});
}

void player::ClearActions() { queue_.clear(); }

void player::StopSounds() {
    while (!sounds_.empty()) delete sounds_.front();
}

void player::ForgetButton(buttonInstance* gone) {
    if (activeButton_ == gone) activeButton_ = nullptr;
    std::erase(buttons_, gone);
}

bool player::FrameMovesAllowed(const movie& target) const {
    if (target.InGoto() || actionDepth_ > kMaxActionNesting) return false;
    for (const movie* busy : busy_) {
        if (busy == &target) continue;
        for (const movie* up = busy->Parent(); up; up = up->Parent())
            if (up == &target) return false;
    }
    return true;
}

void player::RunActions() {
    ++actionDepth_;
    while (!queue_.empty()) {
        const QueuedActions item = queue_.front();
        queue_.pop_front();
        Run(item);
    }
    --actionDepth_;
}

void player::Run(const QueuedActions& item) {
    movie* target = item.timeline;
    u32 skip = 0;
    for (u32 at = 0; at + action::kHeaderSize <= item.size;) {
        const u8 code = item.actions[at];
        const u32 size = readLE16(item.actions + at + 1);
        if (code == action::kEnd || size < action::kHeaderSize || size > item.size - at) return;
        const u8* payload = item.actions + at + action::kHeaderSize;
        const u32 payloadSize = size - action::kHeaderSize;
        at += size;
        if (skip > 0) {
            --skip;
            continue;
        }
        // An earlier action may have removed the timeline these actions speak to.
        if (!Live(target)) return;
        if (IsFrameMove(code) && !FrameMovesAllowed(*target)) continue;
        switch (code) {
            case action::kGotoFrame:
                if (payloadSize >= 2) {
                    target->GotoFrame(readLE16(payload));
                    ClearActions();
                }
                break;
            case action::kGetURL: {
                const char* url = PayloadText(payload, payloadSize, 0);
                const char* window = url ? PayloadText(payload, payloadSize, u32(std::strlen(url)) + 1) : nullptr;
                if (callback_ && window && IsOwnWindow(window))
                    callback_(*this, PlayerEvent{kPlayerEventLoadUrl, url});
                break;
            }
            case action::kNextFrame:
                target->GotoFrame(u16(target->CurrentFrame() + 1));
                ClearActions();
                break;
            case action::kPreviousFrame:
                // Before the first frame there is no previous one.
                if (target->CurrentFrame() > 0) target->GotoFrame(u16(target->CurrentFrame() - 1));
                ClearActions();
                break;
            case action::kPlay: target->nextFrameTime = clock + target->Document().FrameDurationMs(); break;
            case action::kStop: target->nextFrameTime = 0; break;
            case action::kStopSounds: StopSounds(); break;
            case action::kWaitForFrame:
                if (payloadSize >= 3 && target->Document().framesRead < readLE16(payload)) skip = payload[2];
                break;
            case action::kSetTarget: {
                const char* path = PayloadText(payload, payloadSize, 0);
                u32 found = kNoEntry;
                if (path && *path && displayList_.Find(target->OwnEntry(), path, found) == kOk && found != kNoEntry &&
                    displayList_.Entry(found).kind == kEntrySprite)
                    target = static_cast<tagSprite*>(displayList_.Entry(found).instance);
                break;
            }
            case action::kGoToLabel:
                if (const char* label = PayloadText(payload, payloadSize, 0)) {
                    target->GotoLabel(label);
                    ClearActions();
                }
                break;
            default: break;
        }
    }
}

}  // namespace swf
