#pragma once
// The slide show's drawing surface: it draws each page into the show rectangle, leading into
// it with the page's transition from what showed before and the transition's sound, plays
// the page's sounds, reads its
// texts aloud and hands the player the event the transition waits for once the reading is
// over. Pages are drawn as they are stored: the show never moves an object, so a page played
// any number of times is saved as it was. User-interface thread only.
#include <memory>
#include <string>
#include <vector>

#include "engine/gfx/GfxPort.h"
#include "app/dialogs/RTransitionSounds.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "screens/easel/PageMedia.h"
#include "screens/easel/PageSounds.h"
#include "tools/effects/transitions/QTEffectRunner.h"

namespace Ostrel {

class RPage;
class RTextPageObject;

// How long a transition between two pages takes, however fast the program runs.
constexpr u32 kShowTransitionMillis = 600;
struct GlobalUserSettings;

class RSlideShowCanvas : public RInputObject {
public:
    // `player` hears the transition's events (kMsgTransitionEvent) at once; `screenPort` is
    // the sprite layer's backdrop, which the show rectangle of the screen shows.
    RSlideShowCanvas(const Rect16& show, GfxPort* screenPort, CListener* player, const GlobalUserSettings* settings);
    ~RSlideShowCanvas() override;

    // Makes the pictures a page and its transition are drawn in, starts hearing the program's
    // tick and binds the program's OpenGL renderer (made when there is none) to the show's
    // picture: 0, or 1 when the pictures cannot be made.
    u16 PrepareMedia();
    // False when no GL context can be made.
    bool BindRenderer();
    // Draws the page over the project's background colour (an index of the table of
    // background colours) and leads into it with its transition and, unless the page plays
    // without sound, the transition's sound.
    void ShowPage(RPage* page, u16 backgroundColor);
    // The page's sounds, when it plays them, and the reading of its texts, when it reads them;
    // a page that plays without sound does neither.
    void PlayPage();
    // Stops the transition, the animations and movies, the sounds and the reading, and
    // forgets the pending event.
    void StopShow();

    void SetPlaying(bool playing) { playing_ = playing; }
    bool IsPlaying() const { return playing_; }
    // The event for the transition once the reading is over; 0 none.
    void SetPendingEvent(u32 code) { pending_ = code; }
    u32 PendingEvent() const { return pending_; }
    bool InTransition() const { return effect_.IsRunning(); }
    const RTransitionSounds& TransitionSounds() const { return transitionSounds_; }
    // The page's animations and movies on the screen; null while none play.
    const PageMedia* Media() const { return media_.get(); }

    void PlaySounds();
    void StopSounds() { sounds_.Stop(); }
    size_t PlayingSounds() const { return sounds_.PlayingCount(); }
    // Reads the page's visible texts aloud, top to bottom and, on one line, left to right,
    // when the user's text to speech is on.
    void SpeakPageText();
    void StopSpeaking();
    // The text read last (kept while it is read).
    const std::string& SpokenText() const { return spoken_; }
    // Texts in reading order: by top edge, then by left edge; equal places keep their order.
    static void OrderForReading(std::vector<RTextPageObject*>& texts);

    // Steps the transition, starts the page's animations (heard, unless the page plays without
    // sound) and movies after its last step, and forwards the pending event once the page is
    // in and nothing is read any more (the reading's end also waits for the page's sounds).
    void HandleTick(u32 now) override;

private:
    void CopyToScreen();
    void StartMedia();

    Rect16 show_;
    GfxPort* screenPort_;
    CListener* player_;
    const GlobalUserSettings* settings_;
    GfxPort* framePort_ = nullptr;
    GfxPort* pagePort_ = nullptr;
    PixelView frame_;
    PixelView page_;
    QTEffectRunner effect_;
    RPage* shown_ = nullptr;
    // The program's time at the transition's first step; its clock starts with that step.
    u32 transitionStart_ = 0;
    bool transitionTimed_ = false;
    PageSounds sounds_;
    // Where the shown page lies on the screen, and its animations and movies.
    Rect16 pageRect_{0, 0, 0, 0};
    std::unique_ptr<PageMedia> media_;
    RTransitionSounds transitionSounds_;
    std::string spoken_;
    bool speaking_ = false;
    bool playing_ = false;
    u32 pending_ = 0;
};

}  // namespace Ostrel
