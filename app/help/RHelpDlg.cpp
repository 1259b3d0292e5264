#include "app/help/RHelpDlg.h"

#include "app/application/RApplication.h"
#include "app/dialogs/DemoMovies.h"
#include "app/dialogs/DialogTextBox.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/ini/IniProfiles.h"
#include "framework/language/LanguageTexts.h"
#include "media/objects/DemoMovieObj.h"
#include "media/objects/RDemoMovie.h"
#include "sound/RSound.h"

namespace Ostrel {

namespace {

// The demonstration button, third of the set.
constexpr size_t kDemoButtonIndex = 2;
constexpr i16 kTextMargin = 12;

}  // namespace

RHelpDlg::RHelpDlg(CListener* owner, u32 reply) : RDlgBase(owner, reply ? reply : kHelpDlgDefaultReply) { StopDemoMovie(); }

RHelpDlg::~RHelpDlg() {
    if (demoPlaying_) StopDemo();
    sound_.reset();
    if (frame_.id) sprDispose(&frame_.id);
}

i16 RHelpDlg::Open(const char* itemName) {
    if (Run(kHelpDlgContent, kHelpDlgLayout) != 0) return 1;
    const RButtonSet& buttons = ButtonSet().Buttons();
    if (demoOption_ == 0 && buttons.size() > kDemoButtonIndex) {
        RButton& demo = *buttons[kDemoButtonIndex];
        demo.EnableHotSpot(false);
        demo.Hide();
    }
    LoadPage(itemName);
    sprUpdateScreen(1);
    return 0;
}

void RHelpDlg::LoadPage(const char* itemName) {
    page_ = itemName ? itemName : "";
    text_ = std::string(LookupLanguageText(kHelpTextSection, page_.c_str()).c_str()).substr(0, kHelpTextBytes);
    // The text keeps clear of the frame's border.
    textRect_ = FirstPartRect(kHelpDlgTextParts);
    rectInset(&textRect_, kTextMargin, kTextMargin);
    if (sprNewCompound(kHelpDlgTextParts, &frame_) == 0 && frame_.id == kSprNoId) frame_.id = 0;
    if (SprSprite* frame = sprFind(frame_.id)) {
        frame->data1 = reinterpret_cast<uintptr_t>(this);
        sprSetProcs(frame, frame->ready, frame->step, &RHelpDlg::Draw);
        if (GetRootSprite()) sprSetLayerById(frame_.id, 1, GetRootSprite());
    }
    sprInvalRect(textRect_);
    soundId_ = 0;
    if (const RApplication* app = GetApplication(); app && !page_.empty()) {
        i16 id = 0;
        if (iniGetShort(&app->GetConfigPath(), kHelpSoundSection, page_.c_str(), &id, -32768, 32767) == kErrNone) soundId_ = u16(id);
    }
    PlaySound();
}

void RHelpDlg::PlaySound() {
    if (soundId_ == 0) return;
    if (!sound_) {
        sound_ = std::make_unique<RSound>();
        if (sound_->LoadResource(soundId_, 0, ResMapHandle{}) != kErrNone) {
            sound_.reset();
            soundId_ = 0;
            return;
        }
    }
    sound_->Play();
}

void RHelpDlg::StopSound() {
    if (sound_ && sound_->IsPlaying()) sound_->Stop();
}

bool RHelpDlg::SoundPlaying() const { return sound_ && sound_->IsPlaying(); }

void RHelpDlg::Draw(SprSprite* sprite) {
    sprDrawParts(sprite);
    const auto* dialog = reinterpret_cast<const RHelpDlg*>(sprite->data1);
    if (!dialog || sprite->hideCount > 0) return;
    DialogTextStyle style;
    style.colour = GfxColor::rgb(0, 255, 0);
    DrawDialogText(dialog->textRect_, dialog->text_, style);
}

u32 RHelpDlg::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave:
    case kHelpCmdClose:
        StopSound();
        Answer(kHelpCmdClose, reinterpret_cast<uintptr_t>(this), 0);
        return 0;
    case kHelpCmdSound:
        if (demoPlaying_) StopDemo();
        StopSound();
        PlaySound();
        return 0;
    case kHelpCmdDemo:
        if (demoOption_ == 0) return 0;
        StopSound();
        if (demoPlaying_)
            StopDemo();
        else
            StartDemo();
        return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

u32 RHelpDlg::HandleInput(u32, Point16, u32) {
    if (DemoMovieObj* movie = DemoMovie()) {
        if (movie->playing())
            MovieObjStop(movie);
        else
            MovieObjPlay(movie);
    }
    return 1;
}

DemoMovieObj* RHelpDlg::DemoMovie() const { return demoMovieSlotRecord(demoMovie_); }

void RHelpDlg::StartDemo() {
    DemoMovieObj* movie = StartDemoMovie(HelpDemoMovieFile(page_), kHelpDemoOrigin);
    if (!movie) return;
    demoMovie_ = demoMovieSlotToken();
    MovieObjPlay(movie);
    demoPlaying_ = 1;
    SetDemoLook(true);
}

void RHelpDlg::StopDemo() {
    // Another demonstration may have taken the slot since; that one is not this page's to stop.
    if (DemoMovie()) StopDemoMovie();
    demoMovie_ = 0;
    demoPlaying_ = 0;
    SetDemoLook(false);
}

void RHelpDlg::SetDemoLook(bool playing) {
    const RButtonSet& buttons = ButtonSet().Buttons();
    if (buttons.size() <= kDemoButtonIndex) return;
    // The demonstration button has no picture of its own under the pointer.
    const u16 look = playing ? kHelpDemoPlayingLook : kHelpDemoIdleLook;
    buttons[kDemoButtonIndex]->SetLook(look, look, playing ? kHelpDemoPlayingPressed : kHelpDemoIdlePressed);
}

}  // namespace Ostrel
