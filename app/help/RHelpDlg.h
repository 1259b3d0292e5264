#pragma once
// One help page over the current screen: the page's text (section "HelpStrings" of the
// language file, at most 511 characters), its spoken explanation (the archive sound whose id
// [HelpSnds] of "TB.cfg" gives for the page; none for 0 or no value) and, on the page of the
// animations, a demonstration button. Closing (1396, or the close button's 1395) posts the
// reply code with the dialog as parameter 1 to the owner, which deletes the dialog once the
// reply has arrived; the sound button (1433) stops the demonstration and plays the explanation
// again from its start. The demonstration button (1460) stops the explanation and starts the
// page's demonstration movie (DemoMovies.h), or stops the one playing; while a demonstration
// exists, a press anywhere holds it or lets it play on. A page without its movie file shows no
// demonstration, quietly. User-interface thread only.
#include <memory>
#include <string>

#include "app/dialogs/RDlgBase.h"
#include "app/help/HelpCommands.h"
#include "engine/gfx/sprites/SprCompound.h"

class DemoMovieObj;



namespace Ostrel {

class RSound;

constexpr const char* kHelpDlgContent = "RHelpDlg";
constexpr u16 kHelpDlgLayout = 9000;
constexpr u16 kHelpDlgTextParts = 9001;
constexpr size_t kHelpTextBytes = 511;
constexpr const char* kHelpTextSection = "HelpStrings";
constexpr const char* kHelpSoundSection = "HelpSnds";
// The demonstration button's looks: while a demonstration plays, and idle.
constexpr u16 kHelpDemoPlayingLook = 9010;
constexpr u16 kHelpDemoPlayingPressed = 9012;
constexpr u16 kHelpDemoIdleLook = 9011;
constexpr u16 kHelpDemoIdlePressed = 9013;

class RHelpDlg : public RDlgBase {
public:
    // `reply` 0 replies with 6637.
    RHelpDlg(CListener* owner, u32 reply);
    ~RHelpDlg() override;

    // Non-zero only for the page that offers the demonstration; 0 hides its button.
    void SetDemoOption(u32 option) { demoOption_ = option; }
    // 0 when the page is shown; 1 when the layout could not be opened.
    i16 Open(const char* itemName);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // A press holds a playing demonstration or plays a held one on; always taken.
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;

    const std::string& PageName() const { return page_; }
    const std::string& Text() const { return text_; }
    // The archive id of the page's explanation; 0 when it has none.
    u16 SoundId() const { return soundId_; }
    bool SoundPlaying() const;
    bool DemoPlaying() const { return demoPlaying_ != 0; }
    // The page's demonstration while it is the one on the screen; null otherwise.
    DemoMovieObj* DemoMovie() const;

private:
    void StartDemo();
    void StopDemo();
    void SetDemoLook(bool playing);
    void LoadPage(const char* itemName);
    void PlaySound();
    void StopSound();
    static void Draw(SprSprite* sprite);

    u32 demoOption_ = 0;
    u16 demoPlaying_ = 0;
    u64 demoMovie_ = 0;  // the demonstration slot's token for the page's demonstration
    std::string page_;
    std::string text_;
    u16 soundId_ = 0;
    std::unique_ptr<RSound> sound_;
    Rect16 textRect_{0, 0, 0, 0};
    // The page frame, which draws the text on itself.
    SprCompound frame_{};
};

}  // namespace Ostrel
