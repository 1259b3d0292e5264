#pragma once
// The first screen after start-up: the "Splash" content's animation plays until it ends or
// the user presses a key or clicks; then the screen goes black and the application is asked
// to open the start document (5576), which brings up the login. The getting-started movie
// has no player yet: it is the main window's matter and plays nothing until movies arrive.
// User-interface thread only.
#include <memory>

#include "app/module/RModule.h"
#include "app/splash/SplashMessages.h"
#include "framework/input/RInputObject.h"
#include "framework/timers/RandomPeriodicTimer.h"

namespace Ostrel {

constexpr u16 kSplashGroup = 1000;
constexpr u16 kSplashBackdrop = 1000;
constexpr u16 kSplashShape = 1001;
constexpr u32 kSplashSpriteFlags = 0x4800000;
constexpr const char* kSplashContent = "Splash";
// Its words are drawn into its pictures: a start in Spanish shows this one.
constexpr const char* kSplashContentSpanish = "Splash_sp";
constexpr FourCC kSplashTimeout = fourCC("TOut");

class RSplash : public RInputObject, public RModule {
public:
    RSplash();
    ~RSplash() override;

    u16 Enter() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // A key ends the splash at once; a click asks for the end.
    u32 HandleKey(u32 key) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;

    bool Showing() const { return sprite_ != 0; }

private:
    static void SpriteEvent(SprSprite* sprite, i32 event);
    void BlackOut();

    std::unique_ptr<RandomPeriodicTimer> timer_;
    u16 sprite_ = 0;
    u16 savedSound_ = 0;
    bool groupLoaded_ = false;
    // Only the first end asks for the login: a key, a click and the animation's end may all
    // come before the first is handled.
    bool ended_ = false;
};

}  // namespace Ostrel
