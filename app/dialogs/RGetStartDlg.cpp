#include "app/dialogs/RGetStartDlg.h"

#include "app/application/RApplication.h"
#include "app/dialogs/DemoMovies.h"
#include "app/window/RDisplayWindow.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "media/objects/DemoMovieObj.h"
#include "media/objects/RDemoMovie.h"

namespace Ostrel {

RGetStartDlg::RGetStartDlg(CListener* owner) : RDlgBase(owner, kDlgKindGetStart) { SetResult(kDlgResultConfirm); }

RGetStartDlg::~RGetStartDlg() {
    if (Movie()) StopDemoMovie();
    if (IsOpen())
        if (RDisplayWindow* window = RDisplayWindow::Get(); window && window->IsMenuBarLoaded()) window->SetMenuBarDisabled(0);
}

i16 RGetStartDlg::Open() {
    if (Run(kGetStartContent, kGetStartLayout) != 0) return 1;
    const RApplication* app = GetApplication();
    DemoMovieObj* movie =
        StartDemoMovie(GettingStartedMovieFile(!app || app->GetCurrentModuleCode() != kScreenPicker), kGetStartedMovieOrigin);
    movie_ = movie ? demoMovieSlotToken() : 0;
    // The movie waits at its start for the play button.
    if (movie && movie->playing()) MovieObjStop(movie);
    MovieObjPause(movie);
    playButton_ = FindButtonById(kGetStartPlayButton);
    if (RDisplayWindow* window = RDisplayWindow::Get(); window && window->IsMenuBarLoaded()) window->SetMenuBarDisabled(1);
    sprUpdateScreen(1);
    return 0;
}

u32 RGetStartDlg::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    // Escape leaves the page as its close button does.
    case kDlgResultLeave:
    case kDlgResultConfirm: Answer(kDlgResultConfirm, reinterpret_cast<uintptr_t>(this), kDlgResultConfirm); return 0;
    case kGetStartCmdPlay: PlayOrStop(); return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

DemoMovieObj* RGetStartDlg::Movie() const { return demoMovieSlotRecord(movie_); }

void RGetStartDlg::PlayOrStop() {
    DemoMovieObj* movie = Movie();
    if (!movie) return;
    playing_ = playing_ ? 0 : 1;
    if (playing_)
        MovieObjPlay(movie);
    else
        MovieObjStop(movie);
    const RButtonSet& buttons = ButtonSet().Buttons();
    if (playButton_ >= 0 && size_t(playButton_) < buttons.size())
        buttons[size_t(playButton_)]->SetLook(playing_ ? kGetStartStopLook : kGetStartPlayLook,
                                              playing_ ? kGetStartStopHighlighted : kGetStartPlayHighlighted,
                                              playing_ ? kGetStartStopPressed : kGetStartPlayPressed);
}

}  // namespace Ostrel
