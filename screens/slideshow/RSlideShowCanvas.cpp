#include "screens/slideshow/RSlideShowCanvas.h"

#include <algorithm>
#include <tuple>

#include "app/settings/GlobalUserSettings.h"
#include "document/objects/RTextPageObject.h"
#include "document/pages/RPage.h"
#include "media/export/PagePicture.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/gl/GlSharedRenderer.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/messaging/RMessage.h"
#include "screens/slideshow/SlideShowMessages.h"
#include "text/speech/ASpeechHandler.h"

namespace Ostrel {

namespace {

// A 16-bit picture of the show's size, locked for as long as the canvas draws into it.
GfxPort* newPicture(const Rect16& show, PixelView* view) {
    const i16 width = i16(show.right - show.left), height = i16(show.bottom - show.top);
    if (width <= 0 || height <= 0) return nullptr;
    GfxPort* port = gfxNewOffscreenPort(u16(width), u16(height), 16, nullptr);
    if (!port) return nullptr;
    if (gfxLockPort(port) != kErrNone) {
        gfxDisposePort(port);
        return nullptr;
    }
    *view = pixelViewOfPort(*static_cast<GfxOffscreenPort*>(port));
    return port;
}

void disposePicture(GfxPort*& port) {
    if (!port) return;
    gfxUnlockPort(port);
    gfxDisposePort(port);
    port = nullptr;
}

}  // namespace

RSlideShowCanvas::RSlideShowCanvas(const Rect16& show, GfxPort* screenPort, CListener* player,
                                   const GlobalUserSettings* settings)
    : show_(show), screenPort_(screenPort), player_(player), settings_(settings) {}

RSlideShowCanvas::~RSlideShowCanvas() {
    // The renderer outlives the canvas, but not bound to its picture.
    GLBitmapRenderer* renderer = glSharedRenderer();
    if (renderer && framePort_ && renderer->BoundTo(static_cast<GfxOffscreenPort*>(framePort_)->Store().GetDC()))
        renderer->ReleaseContext();
    media_.reset();
    StopSpeaking();
    StopSounds();
    effect_.Dispose();
    disposePicture(pagePort_);
    disposePicture(framePort_);
    Unregister();
}

u16 RSlideShowCanvas::PrepareMedia() {
    Register(kInputTick);
    if (!framePort_) framePort_ = newPicture(show_, &frame_);
    if (!pagePort_) pagePort_ = newPicture(show_, &page_);
    if (!frame_.top || !page_.top) return 1;
    // The first page comes in over black.
    frame_.Fill(kRgb555Black);
    BindRenderer();
    return 0;
}

bool RSlideShowCanvas::BindRenderer() {
    // The program's one renderer, made by whichever canvas comes first, bound to the picture
    // the show is composed in, its view the show rectangle. The show draws nothing with it, so
    // a machine on which no GL context can be made plays it all the same.
    GLBitmapRenderer& renderer = glMakeSharedRenderer();
    plat::gdi::DeviceContext* dc = static_cast<GfxOffscreenPort*>(framePort_)->Store().GetDC();
    if (renderer.Attach(dc, u32(frame_.width), u32(frame_.height), 0, 0, frame_.width, frame_.height) != kGlOk) return false;
    renderer.SetView(GlViewRect{show_.left, show_.top, show_.right, show_.bottom});
    renderer.SelectSmoothShading();
    return true;
}

void RSlideShowCanvas::ShowPage(RPage* page, u16 backgroundColor) {
    if (!page || !page_.top || !frame_.top) return;
    // What the page before played goes with it.
    media_.reset();
    shown_ = page;
    page_.Fill(PagePicture::ShowBackground(backgroundColor));
    RPageData& data = page->Data();
    // The page keeps the easel's size: it is drawn in the middle of the show rectangle.
    RPageObject* background = nullptr;
    Point16 at{0, 0};
    Point16 size{page_.width, page_.height};
    if (data.FindObject(kTypeBitmap, kBackgroundId, &background) == 0 && background) {
        size = {i16(background->rect.right - background->rect.left), i16(background->rect.bottom - background->rect.top)};
        at = {i16((page_.width - size.h) / 2), i16((page_.height - size.v) / 2)};
    }
    pageRect_ = {i16(show_.left + at.h), i16(show_.top + at.v), i16(show_.left + at.h + size.h),
                 i16(show_.top + at.v + size.v)};
    data.Render(pagePort_, at.h, at.v);
    // Its movies come in with it at their first picture, and play over it once it is in.
    data.RenderMedia(pagePort_, at.h, at.v, kTypeMovie);
    const TransitionKind kind = transitionKindOfIndex(page->GetTransitionEffect());
    const Point16 centre{i16(page_.width / 2), i16(page_.height / 2)};
    transitionTimed_ = false;
    if (kind == TransitionKind::None || !effect_.Start(kind, frame_, page_, frame_, centre))
        frame_.CopyRectFrom(page_, page_.Bounds());
    else if (!page->settings.noSound)
        transitionSounds_.Play(i16(page->GetTransitionOption()));
    CopyToScreen();
    if (!effect_.IsRunning()) StartMedia();
}

void RSlideShowCanvas::StartMedia() {
    if (!shown_ || media_) return;
    media_ = std::make_unique<PageMedia>(pageRect_);
    media_->Sync(shown_->Data());
    // Played as the easel's Play plays them: the animations heard with their frames, unless
    // the page plays without sound.
    media_->PlayAll(shown_->settings.noSound ? FlashSounds::Quiet : FlashSounds::Heard);
}

void RSlideShowCanvas::CopyToScreen() {
    if (screenPort_ && framePort_)
        gfxCopyBits(screenPort_, framePort_, show_, frame_.Bounds(), 0);
    sprInvalRect(show_);
}

void RSlideShowCanvas::PlayPage() {
    StopSpeaking();
    StopSounds();
    if (!shown_ || shown_->settings.noSound) return;
    if (shown_->settings.playSounds) PlaySounds();
    if (shown_->settings.readAloud) SpeakPageText();
}

void RSlideShowCanvas::StopShow() {
    pending_ = 0;
    if (effect_.IsRunning()) {
        // The page the transition led into shows whole.
        effect_.Dispose();
        frame_.CopyRectFrom(page_, page_.Bounds());
        CopyToScreen();
    }
    playing_ = false;
    // The pages' media are released after the show: nothing may play them any more.
    media_.reset();
    transitionSounds_.Stop();
    StopSounds();
    StopSpeaking();
}

void RSlideShowCanvas::PlaySounds() {
    if (shown_ && settings_ && settings_->attachedSounds) sounds_.Play(shown_->Data());
}

void RSlideShowCanvas::OrderForReading(std::vector<RTextPageObject*>& texts) {
    std::stable_sort(texts.begin(), texts.end(), [](const RTextPageObject* a, const RTextPageObject* b) {
        return std::tie(a->rect.top, a->rect.left) < std::tie(b->rect.top, b->rect.left);
    });
}

void RSlideShowCanvas::SpeakPageText() {
    StopSpeaking();
    if (!shown_ || !settings_ || !settings_->textToSpeech) return;
    std::vector<RTextPageObject*> texts;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    while (shown_->Data().NextObjectSkipFlagged(&iterator, &object, kTypeText))
        texts.push_back(static_cast<RTextPageObject*>(object));
    OrderForReading(texts);
    for (const RTextPageObject* text : texts)
        if (!text->text.text.empty()) spoken_ += text->text.text + " ";
    ASpeechHandler* speech = ASpeechHandler::GetInstance();
    if (spoken_.empty() || !speech) return;
    // The whole joined text is read, its blanks included.
    speech->Speak(spoken_.c_str(), i32(spoken_.size()));
    speaking_ = true;
}

void RSlideShowCanvas::StopSpeaking() {
    if (speaking_)
        if (ASpeechHandler* speech = ASpeechHandler::GetInstance()) speech->Stop();
    speaking_ = false;
    spoken_.clear();
}

void RSlideShowCanvas::HandleTick(u32 now) {
    if (!playing_) {
        StopSounds();
        StopSpeaking();
        return;
    }
    if (effect_.IsRunning() && !transitionTimed_) {
        transitionStart_ = now;
        transitionTimed_ = true;
    }
    if (effect_.StepFor(now - transitionStart_, kShowTransitionMillis)) {
        CopyToScreen();
        if (!effect_.IsRunning()) StartMedia();
    }
    if (speaking_) {
        const ASpeechHandler* speech = ASpeechHandler::GetInstance();
        if (speech && speech->IsSpeaking()) return;
        speaking_ = false;
    }
    // The slide comes in whole first; "after the words" also lets its sounds end, so that a
    // slide without words goes on once they are over, or at once.
    if (pending_ == 0 || effect_.IsRunning() || (pending_ == kEventReadingEnded && sounds_.PlayingCount() > 0)) return;
    const u32 code = pending_;
    pending_ = 0;
    if (player_) {
        RMessage event(kMsgTransitionEvent, code, 0);
        player_->HandleMessage(&event, 0);
    }
}

}  // namespace Ostrel
