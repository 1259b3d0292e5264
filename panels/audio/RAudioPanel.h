#pragma once
// The library panel for sounds, with a recording mode: the child records a take from the
// microphone (22,050 Hz, 16-bit, mono, or the format the microphone settles on; a minute at
// most) while a meter shows its level, plays it back at the speed the knob sets, names it and
// keeps it in their own sound library (the sound, the panel's sound icon as its thumbnail,
// and its name). Browsing, the child drags a sound onto the page, removes a sound of their
// own library, or takes the page's sound off again. A take that could not be stored stays,
// unsaved, and the child is told. Leaving recording mode with an unsaved take asks for its
// name first. User-interface thread only.
#include <memory>
#include <vector>

#include "app/dialogs/RDlgEnterSnd.h"
#include "panels/audio/AudioPanelCommands.h"
#include "panels/audio/TakeSpeed.h"
#include "panels/library/RLibPanel.h"
#include "sound/record/RRecord.h"

namespace Ostrel {

constexpr u16 kAudioButtonSet = 777;
constexpr u16 kAudioStripLayout = 18019;
constexpr u16 kAudioBrowsingShape = 18042;
constexpr u16 kAudioRecordingShape = 18043;
constexpr u16 kAudioLevelShape = 18274;
constexpr u16 kAudioSoundIcon = 31500;
constexpr u32 kAudioRate = 22050;
constexpr u16 kAudioBits = 16;
constexpr u16 kAudioChannels = 1;
constexpr u32 kAudioLongestTakeSeconds = 60;
constexpr u16 kAudioRecordingCursor = 21;
// The alert's text when the microphone cannot be had (in kLibAlertSection).
constexpr const char* kAudioCantRecordKey = "CantRecord";
// The button groups of set 777: browsing (remove, take off the page) and recording.
constexpr u16 kAudioBrowsingGroup = 1;
constexpr u16 kAudioRecordingGroup = 2;

enum class AudioMode : u8 { Browsing, Recording };

class RAudioPanel : public RLibPanel {
public:
    RAudioPanel(CListener* owner, const Paths* userPaths, RLibraryMgr* libraries, LibraryPanelHost host);
    ~RAudioPanel() override;

    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // Ends a take whose minute is up, and a playback that ended.
    void HandleTick(u32 now) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;

    void EnterRecordingMode();
    void LeaveRecordingMode();
    void StartRecording();
    void StopRecording();
    void PlayTake();
    // Keeps the take in the user's own sound library under the item name; false (the take
    // kept, unsaved) when it could not be written.
    bool StoreTake();
    void SetPlaybackRate(i32 position);

    AudioMode Mode() const { return mode_; }
    bool IsRecording() const { return recorder_ != nullptr; }
    bool IsPlayingTake() const { return playback_ != nullptr; }
    const std::vector<u8>& Take() const { return take_; }
    bool TakeUnsaved() const { return takeUnsaved_; }
    u32 PlaybackRate() const { return rate_; }
    RDlgEnterSnd* NameDialog() const { return nameDialog_.get(); }
    u16 Level() const { return recorder_ ? recorder_->Level() : 0; }
    u16 LevelSprite() const { return levelSprite_; }
    // The button of set 777 that posts the command; null when none.
    RButton* AudioButton(u32 command) const;
    // Where the speed knob runs: its left edge is the scale's origin.
    static constexpr Rect16 KnobArea() { return {260, 474, 332, 502}; }

protected:
    u16 StripLayout() const override { return kAudioStripLayout; }
    u16 BackgroundShape() const override { return kAudioBrowsingShape; }
    void UpdateLibraryButtons() override;

private:
    void RestoreBrowsing();
    void ShowStrip(bool shown);
    void StopPlayback();
    void OpenNameDialog(u32 reply);
    void NameAnswered(u32 reply);
    void RemoveChosenSound();
    void RemovePageSound();
    void ShowGroup(u16 group, bool shown);
    void ResetButton(u32 command);
    void ShowUserLibrary();
    static void DrawLevel(SprSprite* sprite);
    static void DrawKnob(SprSprite* sprite);

    RButtonSet audioButtons_;
    AudioMode mode_ = AudioMode::Browsing;
    u32 rate_ = kNormalRate;
    i32 knob_ = 0;
    std::vector<u8> soundIcon_;
    std::unique_ptr<RSound> playback_;
    std::unique_ptr<RDlgEnterSnd> nameDialog_;
    std::unique_ptr<RRecord> recorder_;
    // The format the microphone records the take in.
    u32 takeRate_ = kAudioRate;
    u16 takeBits_ = kAudioBits;
    std::vector<u8> take_;
    bool takeUnsaved_ = false;
    bool libraryChanged_ = false;
    u16 levelSprite_ = 0;
    u16 knobSprite_ = 0;
};

}  // namespace Ostrel
