// The first screens of a session on a real X server (a private Xvfb), through SDL as people
// see them: what the server shows of the main window must be the picture the program drew.
// The screen and the program's own picture are kept side by side as artifacts for review.
#include "tests/shell/SessionFixture.h"
#include "tests/xserver/XFakeInput.h"
#include "tests/demo/screenshot/SdlDisplayOnXvfb.h"
#include "tests/xserver/XScreenshot.h"

// SDL's session-bus connection is kept by the bus library for the life of the process, and
// Mesa's OSMesa keeps a few records of every context made current (the easel's canvas binds
// one): the system's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\nleak:libOSMesa.so\n"; }

namespace {

using namespace Ostrel;
using namespace testshell;

class XvfbSession : public SessionFixture {
protected:
    void SetUp() override {
        if (!server_.running()) GTEST_FAIL() << "No X server (Xvfb) could be started: " << server_.failure();
        sdl_ = sdlDisplayOn(server_);
        ASSERT_NE(sdl_, nullptr) << "SDL could not open the X server at " << server_.display();
        plat::setDisplayDriver(sdl_.get());
        SessionFixture::SetUp();
    }
    void TearDown() override {
        if (!sdl_) return;
        SessionFixture::TearDown();
        plat::setDisplayDriver(nullptr);
        sdl_.reset();
    }

    // Frames until `done` holds, the X server's input given time to arrive; false when it
    // never does.
    template <typename Done>
    bool framesUntil(Done done) {
        for (int round = 0; round < 100; ++round) {
            if (done()) return true;
            frame();
            sdl_->waitForInput(20);
        }
        return done();
    }

    // What the server shows of the window's client area against what the program drew there;
    // both kept. The server is given time to map and show the window (its events are taken,
    // the program's clock stands still, so the picture does not change meanwhile). Returns the
    // number of pixels that differ in the end.
    int compareScreen(const std::string& name) {
        plat::DisplayWindow* face = application_->GetMainWindow()->GetFace();
        const plat::gdi::Surface& drawn = face->surface();
        std::vector<u32> picture;
        for (i32 y = 0; y < drawn.height(); ++y)
            for (i32 x = 0; x < drawn.width(); ++x) picture.push_back(drawn.pixel(x, y) & 0xFFFFFF);
        std::vector<uint32_t> shot;
        int differing = int(picture.size());
        for (int round = 0; round < 50 && differing != 0; ++round) {
            sdl_->pumpEvents();
            sdl_->waitForInput(20);
            const plat::gdi::Point origin = face->clientOrigin();
            shot = takeXScreenshot(server_.display(), origin.x, origin.y, drawn.width(), drawn.height());
            if (shot.size() != picture.size()) continue;
            differing = 0;
            for (size_t i = 0; i < shot.size(); ++i) differing += (shot[i] & 0xFFFFFF) != picture[i];
        }
        EXPECT_EQ(shot.size(), picture.size()) << "the X screen could not be read";
        writePicture("xvfb-" + name, shot, drawn.width());
        writePicture("drawn-" + name, picture, drawn.width());
        return differing;
    }

    XvfbServer server_;
    std::unique_ptr<plat::DisplayDriver> sdl_;
};

TEST_F(XvfbSession, TheSplashLoginAndEaselOnTheScreenAreThePicturesTheProgramDrew) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_EQ(application_->GetCurrentModuleCode(), kScreenSplash);
    frames(3);
    EXPECT_EQ(compareScreen("splash"), 0) << "artifacts xvfb-splash.ppm and drawn-splash.ppm";

    // A click ends the splash and gives the window the keyboard.
    const plat::gdi::Point origin = application_->GetMainWindow()->GetFace()->clientOrigin();
    ASSERT_TRUE(fakeClickAndFocus(server_.display(), origin.x + 400, origin.y + 300)) << "no test extension";
    ASSERT_TRUE(framesUntil([&] { return application_->IsLoginOpen(); })) << "the login never opened";
    frames(3);
    EXPECT_EQ(compareScreen("login"), 0) << "artifacts xvfb-login.ppm and drawn-login.ppm";

    ASSERT_TRUE(fakeKey(server_.display(), "m", true));
    for (const char* letter : {"a", "y", "a"}) ASSERT_TRUE(fakeKey(server_.display(), letter, false));
    frames(2);
    ASSERT_TRUE(fakeKey(server_.display(), "Return", false));
    ASSERT_TRUE(framesUntil([&] { return application_->GetCurrentModuleCode() == kScreenEasel; }))
        << "the typed name never logged in";
    EXPECT_EQ(application_->GetPaths()->UserName(), "Maya");
    frames(3);
    EXPECT_EQ(compareScreen("easel"), 0) << "artifacts xvfb-easel.ppm and drawn-easel.ppm";
}

}  // namespace
