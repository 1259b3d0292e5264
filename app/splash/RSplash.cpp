#include "app/splash/RSplash.h"

#include "app/application/RApplication.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {


void fillBlack(GfxPort* port, const Rect16& rect) {
    if (!port) return;
    GfxPort* previous = gfxSetPort(port);
    gfxFillRect(rect, GfxColor::rgb(0, 0, 0), 0);
    gfxSetPort(previous);
}

}  // namespace

RSplash::RSplash() : timer_(std::make_unique<RandomPeriodicTimer>(this, kSplashTimeout)) {
    shapeGroup_ = kSplashGroup;
}

RSplash::~RSplash() {
    timer_->Stop();
    Unregister();
    if (sprite_) sprDispose(&sprite_);
    // The base releases the shape group.
    if (SprScreen* screen = sprScreen()) screen->soundEnabled = savedSound_;
    timer_.reset();
}

u16 RSplash::Enter() {
    if (SprScreen* screen = sprScreen()) {
        savedSound_ = screen->soundEnabled;
        screen->soundEnabled = 1;
    }
    if (u16 result = LoadContent(CurrentLanguage() == kLanguageSpanish ? kSplashContentSpanish : kSplashContent))
        return result;
    sprLoadGroup(kSplashGroup, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    sprShowBackdrop(kSplashBackdrop, 0);
    const Point16 origin{0, 0};
    sprite_ = sprNewWithCallback(kSplashSpriteFlags, kSplashShape, &origin, SpriteEvent,
                                 reinterpret_cast<uintptr_t>(this), 0);
    if (sprite_ == kSprNoId) {
        sprite_ = 0;
    } else if (SprSprite* sprite = sprFind(sprite_)) {
        sprSetProcs(sprite, nullptr, nullptr, sprDraw);
    }
    sprUpdateScreen(0);
    sprUpdateScreen(1);
    Register(kInputMouseButtons | kInputKeys);
    return 0;
}

void RSplash::SpriteEvent(SprSprite* sprite, i32 event) {
    if (event != kSprEventStopped) return;
    auto* splash = reinterpret_cast<RSplash*>(sprite->data1);
    if (splash) splash->PostMessageTo(splash, kMsgSplashEnd);
}

void RSplash::BlackOut() {
    if (sprite_) sprDispose(&sprite_);
    sprite_ = 0;
    if (shapeGroup_ != kNoShapeGroup) sprReleaseGroup(shapeGroup_, 1);
    shapeGroup_ = kNoShapeGroup;
    SprScreen* screen = sprScreen();
    if (!screen) return;
    const RApplication* application = GetApplication();
    fillBlack(application ? application->GetWindowPort() : nullptr, screen->screenRect);
    fillBlack(screen->windowPort, screen->screenRect);
    fillBlack(screen->workPort, screen->screenRect);
    // The sprite layer restores what a sprite uncovers from its background, which still holds
    // the splash's backdrop: the login's sprites would bring pieces of the title back.
    fillBlack(screen->backgroundPort, screen->screenRect);
    sprUpdateScreen(1);
}

u32 RSplash::HandleKey(u32) {
    if (!sprite_) return 0;
    timer_->Stop();
    BlackOut();
    PostMessageTo(this, kMsgSplashEnd);
    return 1;
}

u32 RSplash::HandleInput(u32, Point16, u32) {
    if (!sprite_) return 0;
    PostMessageTo(this, kMsgSplashEnd);
    return 1;
}

u32 RSplash::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code != kMsgSplashEnd || ended_) return 0;
    ended_ = true;
    if (RApplication* application = GetApplication()) PostMessageTo(application, kMsgOpenDocument, 0, 0);
    BlackOut();
    return 0;
}

}  // namespace Ostrel
