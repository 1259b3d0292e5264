#pragma once
// swf::player plays a movie read into a document: the root timeline, the display list that
// every timeline of the tree shares, the frame actions waiting for the next ShowFrame, the
// sounds started and still alive, and the live button instances, front-most first.
//
// Every public step (AdvanceFrame or GotoFrame from outside) has a budget of tags played, frame
// passes and rewinds, so that a movie whose actions go back and forth for ever ends its step
// with kErrBadData instead of hanging; nested action runs are limited as well.
#include <deque>
#include <unordered_set>
#include <vector>

#include "media/swf/Timeline.h"

class GLBitmapRenderer;

namespace swf {

class buttonInstance;
class sound;

// Kind 0: the owner is asked to load the URL of the text into the movie's own window.
struct PlayerEvent {
    u32 kind = 0;
    const char* text = nullptr;
};
using PlayerEventCallback = void (*)(player& source, const PlayerEvent& event);

constexpr u32 kPlayerEventLoadUrl = 0;
// Option bit 0: SetBackgroundColor makes the background opaque.
constexpr u32 kPlayerOpaqueBackground = 1;
// Option bit 1: StartSound tags start nothing, as when frames are drawn ahead of being shown.
constexpr u32 kPlayerSilent = 2;
// Tags played, frame passes and rewinds one outside call may make: a goto across a few
// thousand frames of a busy movie fits.
constexpr u32 kDefaultStepBudget = 1u << 22;
// Action lists running inside other action lists; deeper ones skip their frame moves. A frame
// move is also skipped on a timeline in a goto, and on one above a timeline in a step, which
// the move could remove from under its own step.
constexpr u32 kMaxActionNesting = 16;
// Display-list levels; characters that would show deeper than this are refused.
constexpr u16 kMaxDisplayLevel = 64;
// Timelines living at once, the movie's own among them; sprites placed past it are refused. A
// sprite that places copies of itself would otherwise multiply them at every level.
constexpr size_t kMaxTimelines = 4096;

class player : public movie {
public:
    player(document& source, PlayerEventCallback callback);
    ~player() override;

    // Runs and empties the action queue.
    void RunActions();
    // Frees every queued action list without running it.
    void ClearActions();
    // Stops and deletes every sound started.
    void StopSounds();
    // Draws the display list back to front through a renderer that the caller attached and gave
    // the movie's frame as its view; flags are the render flags of media/swfgl/Paint.h. Neither
    // clears the picture nor keeps anything of the movie but the renderer's compiled drawings.
    // kErrNoContext when the renderer has no context. Defined by the drawing library
    // (media/swfgl), which those who draw link.
    Result Render(GLBitmapRenderer& renderer, u32 flags);

    NameTree& DisplayList() { return displayList_; }
    u32 options = kPlayerOpaqueBackground;
    u32 clock = 0;
    u32 stepBudget = kDefaultStepBudget;

    // Play-time services of the tags and timelines.
    void QueueActions(movie& timeline, const u8* actions, u32 size);
    bool Live(const movie* timeline) const { return live_.count(timeline) != 0; }
    void Born(movie* timeline) { live_.insert(timeline); }
    bool Crowded() const { return live_.size() >= kMaxTimelines; }
    void Died(movie* timeline);
    // True while the budget lasts; every tag played, frame pass and rewind spends one.
    bool Spend();
    // The budget ran out in this outside call: every step of it ends with kErrBadData, also
    // the steps whose goto inside an action ran out.
    bool Exhausted() const { return exhausted_; }
    // Timelines with a step or goto in progress; the first call starts a new budget.
    void EnterCall(movie& timeline);
    void LeaveCall() { busy_.pop_back(); }

    std::vector<sound*>& Sounds() { return sounds_; }
    std::vector<buttonInstance*>& Buttons() { return buttons_; }
    buttonInstance* ActiveButton() const { return activeButton_; }
    void ForgetButton(buttonInstance* gone);
    PlayerEventCallback Callback() const { return callback_; }

private:
    struct QueuedActions {
        movie* timeline;
        const u8* actions;
        u32 size;
    };

    void Run(const QueuedActions& item);
    bool FrameMovesAllowed(const movie& target) const;

    NameTree displayList_;
    PlayerEventCallback callback_;
    std::deque<QueuedActions> queue_;
    std::vector<sound*> sounds_;
    std::vector<buttonInstance*> buttons_;
    buttonInstance* activeButton_ = nullptr;
    std::unordered_set<const movie*> live_;
    std::vector<movie*> busy_;
    u32 stepsLeft_ = 0;
    bool exhausted_ = false;
    u32 actionDepth_ = 0;
};

}  // namespace swf
