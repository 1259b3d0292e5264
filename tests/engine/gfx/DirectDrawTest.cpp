#include <cstring>

#include "OffscreenTestSupport.h"
#include "engine/os/OsManager.h"
#include "engine/gfx/GfxDirectDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxSurfaceBitmap.h"
#include "engine/gfx/GfxDDrawWindowPort.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace {

// What the restore handlers of a test heard, and how they answer.
struct HandlerLog {
    std::vector<GfxDDrawEvent> events;
    u16 answer = 1;
    plat::DirectSurfaceService* releaseExclusive = nullptr;
};

u16 recordingHandler(const GfxDDrawEvent* event, void* datum) {
    auto* log = static_cast<HandlerLog*>(datum);
    log->events.push_back(*event);
    if (event->kind == kDDrawEventExclusiveElsewhere && log->releaseExclusive)
        log->releaseExclusive->setExclusiveElsewhere(false);
    return log->answer;
}

class DirectDrawTest : public OffscreenTest {
protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        display.setModes({{1024, 768, 16, 60}, {800, 600, 16, 60}});
        plat::setDisplayDriver(&display);
        gfxSetDisplayDepth(16);
        window = plat::createWindow({"Test", "main", plat::defaultWindowProcedure});
        face = display.openWindow(window, "main", 40, 30);
        osmSetMainWindow(window);
        enable();
    }
    void TearDown() override {
        gfxSetPort(nullptr);
        if (port) {
            while (port->lockCount) gfxUnlockPort(port);
            gfxDisposePort(port);
        }
        OffscreenTest::TearDown();
        ddrawShutdown();
        ddrawConfigure(GfxDDrawSettings{});
        ddrawUseCapabilities(nullptr);
        gfxSetDisplayChangeEnabled(1);
        osmSetMainWindow(plat::kNoWindow);
        face.reset();
        plat::destroyWindow(window);
        plat::Message m;
        while (plat::peekMessage(m, true)) {
        }
        plat::setDisplayDriver(nullptr);
    }
    void enable(u16 certifiedOnly = 0) {
        GfxDDrawSettings settings;
        settings.enable = 1;
        settings.certifiedOnly = certifiedOnly;
        ddrawConfigure(settings);
    }
    GfxDDrawWindowPort* windowPort() {
        port = static_cast<GfxDDrawWindowPort*>(gfxNewDDrawWindowPort(window, 0, nullptr));
        EXPECT_NE(port, nullptr);
        EXPECT_EQ(gfxLockPort(port), kErrNone);
        return port;
    }
    u32 shown(i32 x, i32 y) const { return static_cast<plat::HeadlessWindow&>(*face).shownPixel(x, y); }

    plat::HeadlessDisplay display;
    plat::WindowHandle window = plat::kNoWindow;
    std::unique_ptr<plat::DisplayWindow> face;
    GfxDDrawWindowPort* port = nullptr;
    HandlerLog log;
};

TEST_F(DirectDrawTest, DisabledSettingsNeverStartIt) {
    ddrawConfigure(GfxDDrawSettings{});
    EXPECT_EQ(ddrawGetObject(), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrNotSupported);
    enable();
    EXPECT_EQ(ddrawGetObject(), nullptr) << "a failed start is not retried";
    EXPECT_EQ(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    GfxPixelDescriptor descriptor{};
    EXPECT_EQ(windowPort()->LockBits(&descriptor), kGfxErrNotSupported);
}

TEST_F(DirectDrawTest, UncertifiedDriverIsRefusedWhenOnlyCertifiedOnesMay) {
    plat::DirectCapabilities uncertified;
    uncertified.certified = false;
    ddrawUseCapabilities(&uncertified);
    enable(1);
    EXPECT_EQ(ddrawGetObject(), nullptr);
    ddrawShutdown();
    enable(0);
    EXPECT_NE(ddrawGetObject(), nullptr);
}

TEST_F(DirectDrawTest, DriverVersionChoosesTheCapabilitiesSize) {
    plat::DirectCapabilities old;
    old.driverVersion = 0x0500;
    ddrawUseCapabilities(&old);
    ASSERT_NE(ddrawGetObject(), nullptr);
    EXPECT_EQ(ddrawCapsSize(), kDDrawCapsSizeOld);
    ddrawShutdown();
    ddrawUseCapabilities(nullptr);
    ASSERT_NE(ddrawGetObject(), nullptr);
    EXPECT_EQ(ddrawDriverVersion(), 0x0602);
    EXPECT_EQ(ddrawCapsSize(), kDDrawCapsSizeNew);
}

TEST_F(DirectDrawTest, WindowPortBitsWriteThePrimaryAndShowOnUnlock) {
    GfxDDrawWindowPort* p = windowPort();
    GfxPixelDescriptor descriptor{};
    ASSERT_EQ(p->LockBits(&descriptor), kErrNone);
    EXPECT_EQ(descriptor.rowStep, 80) << "top-down rows of 40 RGB555 pixels";
    EXPECT_EQ(descriptor.depth, 16);
    EXPECT_EQ(p->bitsLocked, 1);
    u8* row = descriptor.base + 3 * descriptor.rowStep;
    row[2 * 5] = 0x00;
    row[2 * 5 + 1] = 0x7C;  // (5, 3) pure red
    ASSERT_EQ(p->UnlockBits(&descriptor), kErrNone);
    EXPECT_EQ(p->bitsLocked, 0);
    EXPECT_EQ(shown(5, 3), 0xFF0000u);
}

TEST_F(DirectDrawTest, PrimaryCreationIsAnnounced) {
    ASSERT_NE(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    ASSERT_NE(ddrawGetPrimarySurface(), nullptr);
    ASSERT_EQ(log.events.size(), 1u);
    EXPECT_EQ(log.events[0].kind, kDDrawEventPrimaryCreated);
    ASSERT_NE(ddrawGetPrimarySurface(), nullptr);
    EXPECT_EQ(log.events.size(), 1u) << "the kept primary is not made again";
}

TEST_F(DirectDrawTest, SurfaceStorePictureReachesTheWindowByDirectCopy) {
    ASSERT_NE(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    GfxOffscreenPort* picture = makeOffscreen(40, 30, 16, nullptr, false);
    auto* store = dynamic_cast<GfxSurfaceBitmap*>(&picture->Store());
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(picture->deviceClass, kGfxDeviceClassSurface);
    EXPECT_EQ(store->placement & kGfxPlaceMask, kGfxPlaceNonLocal);
    EXPECT_EQ(store->owner, picture);
    ASSERT_EQ(picture->FillColorRect(Rect16{0, 0, 40, 30}, GfxColor::rgb(0, 0, 255), 0), kErrNone);
    ASSERT_EQ(picture->FillColorRect(Rect16{10, 10, 12, 12}, GfxColor::rgb(0, 255, 0), 0), kErrNone);
    GfxDDrawWindowPort* p = windowPort();
    ASSERT_EQ(picture->CopyBits(p, Rect16{0, 0, 40, 30}, Rect16{0, 0, 40, 30}, 0, 0), kErrNone);
    EXPECT_EQ(shown(0, 0), 0x0000FFu);
    EXPECT_EQ(shown(11, 11), 0x00FF00u);
    EXPECT_EQ(shown(12, 12), 0x0000FFu);
}

TEST_F(DirectDrawTest, EightBitSurfaceStoreKeepsIndicesAndShowsTheirColours) {
    ASSERT_NE(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    GfxOffscreenPort* picture = makeOffscreen(8, 8, 8, nullptr, false);
    ASSERT_NE(dynamic_cast<GfxSurfaceBitmap*>(&picture->Store()), nullptr);
    EXPECT_EQ(picture->kind, 1u);
    GfxColor index;
    index.FromIndex(40);
    ASSERT_EQ(picture->FillColorRect(Rect16{0, 0, 8, 8}, index, 0), kErrNone);
    GfxColor read;
    picture->ReadPixel(&read, 3, 3);
    EXPECT_EQ(read.flag, kGfxColorFlagIndex);
    EXPECT_EQ(read.red | read.green << 8, 40);
    const GfxPaletteEntry& entry = gfxDefaultPalette()->entries[40];
    GfxDDrawWindowPort* p = windowPort();
    ASSERT_EQ(picture->CopyBits(p, Rect16{0, 0, 8, 8}, Rect16{0, 0, 8, 8}, 0, 0), kErrNone);
    EXPECT_EQ(shown(4, 4), 0u) << "drawn through the port, the copy shows when the port's lock ends";
    ASSERT_EQ(gfxUnlockPort(p), kErrNone);
    EXPECT_EQ(shown(4, 4) & 0xF8F8F8, u32(entry.red & 0xF8) << 16 | u32(entry.green & 0xF8) << 8 | (entry.blue & 0xF8));
}

TEST_F(DirectDrawTest, LostSurfaceIsRestoredAndTheHandlerRedraws) {
    ASSERT_NE(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    GfxOffscreenPort* picture = makeOffscreen(8, 8, 16);
    ddrawGetObject()->loseSurfaces(false);
    GfxPixelDescriptor descriptor{};
    ASSERT_EQ(picture->LockBits(&descriptor), kErrNone);
    picture->UnlockBits(&descriptor);
    ASSERT_EQ(log.events.size(), 1u);
    EXPECT_EQ(log.events[0].kind, kDDrawEventSurfaceRestored);
    EXPECT_EQ(log.events[0].datum, uintptr_t(picture));
}

TEST_F(DirectDrawTest, LostSurfaceNobodyRedrawsIsReportedButStaysUsable) {
    log.answer = 0;
    ASSERT_NE(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    GfxOffscreenPort* picture = makeOffscreen(8, 8, 16);
    ddrawGetObject()->loseSurfaces(false);
    EXPECT_EQ(picture->RestoreSurface(), kGfxErrBadValue);
    EXPECT_EQ(picture->FillColorRect(Rect16{0, 0, 8, 8}, GfxColor::rgb(255, 255, 255), 0), kErrNone);
    GfxPixelDescriptor descriptor{};
    ASSERT_EQ(picture->LockBits(&descriptor), kErrNone);
    EXPECT_EQ(descriptor.base[0] | descriptor.base[1] << 8, 0x7FFF);
    picture->UnlockBits(&descriptor);
}

TEST_F(DirectDrawTest, ModeChangeRemakesThePrimaryAndTheStores) {
    ASSERT_NE(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    GfxOffscreenPort* picture = makeOffscreen(8, 8, 16);
    ASSERT_NE(ddrawGetPrimarySurface(), nullptr);
    ASSERT_EQ(ddrawSetDisplayMode(800, 600, 16, 0), kErrNone) << "takes the exclusive level on its own";
    EXPECT_EQ(display.currentMode().width, 800);
    log.events.clear();
    ASSERT_NE(ddrawGetPrimarySurface(), nullptr);
    ASSERT_EQ(log.events.size(), 2u);
    EXPECT_EQ(log.events[0].kind, kDDrawEventPrimaryModeLost);
    EXPECT_EQ(log.events[1].kind, kDDrawEventPrimaryCreated);
    EXPECT_EQ(picture->RestoreSurface(), kErrNone);
    EXPECT_FALSE(static_cast<GfxSurfaceBitmap&>(picture->Store()).Surface()->lost());
}

TEST_F(DirectDrawTest, SystemModeSwitchLosesTheStoresWhichComeBackRemade) {
    ASSERT_NE(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    GfxOffscreenPort* picture = makeOffscreen(8, 8, 16);
    plat::DirectSurface* before = static_cast<GfxSurfaceBitmap&>(picture->Store()).Surface();
    GfxDisplayMode mode(800, 600, 65536, 0);
    ASSERT_EQ(gfxSetDisplayMode(&mode), 1);
    EXPECT_TRUE(before->lost());
    GfxPixelDescriptor descriptor{};
    ASSERT_EQ(picture->LockBits(&descriptor), kErrNone);
    picture->UnlockBits(&descriptor);
    EXPECT_NE(static_cast<GfxSurfaceBitmap&>(picture->Store()).Surface(), nullptr);
    EXPECT_FALSE(static_cast<GfxSurfaceBitmap&>(picture->Store()).Surface()->lost());
    ASSERT_EQ(log.events.size(), 1u);
    EXPECT_EQ(log.events[0].kind, kDDrawEventSurfaceRestored);
    gfxRestoreDisplayMode();
}

TEST_F(DirectDrawTest, FullScreenNeedsDisplayChanges) {
    ASSERT_NE(ddrawGetObject(), nullptr);
    gfxSetDisplayChangeEnabled(0);
    EXPECT_EQ(ddrawSetCooperativeLevel(1), kGfxErrDirectDraw);
    EXPECT_EQ(ddrawLastResult(), kDDrawErrCurrentlyNotAvail);
    EXPECT_EQ(ddrawSetDisplayMode(800, 600, 16, 0), kGfxErrDirectDraw) << "no exclusive level to fall back on";
}

TEST_F(DirectDrawTest, ExclusiveHeldElsewhereIsRetriedWhenAHandlerAsks) {
    plat::DirectSurfaceService* service = ddrawGetObject();
    ASSERT_NE(service, nullptr);
    service->setExclusiveElsewhere(true);
    EXPECT_EQ(ddrawSetCooperativeLevel(0), kGfxErrDirectDraw) << "no handler asks to try again";
    EXPECT_EQ(ddrawLastResult(), kDDrawErrExclusiveModeAlreadySet);
    log.releaseExclusive = service;
    ASSERT_NE(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    EXPECT_EQ(ddrawSetCooperativeLevel(0), kErrNone);
    ASSERT_EQ(log.events.size(), 1u);
    EXPECT_EQ(log.events[0].kind, kDDrawEventExclusiveElsewhere);
}

TEST_F(DirectDrawTest, RemovedHandlersHearNothingAndBadRecordsAreRefused) {
    GfxDDrawHandler* handler = ddrawAddRestoreHandler(recordingHandler, &log);
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(ddrawRemoveRestoreHandler(handler), kErrNone);
    EXPECT_FALSE(ddrawHasRestoreHandlers());
    ASSERT_NE(ddrawGetPrimarySurface(), nullptr);
    EXPECT_TRUE(log.events.empty());
    GfxDDrawHandler notAHandler{};
    EXPECT_EQ(ddrawRemoveRestoreHandler(&notAHandler), kGfxErrBadValue);
}

TEST_F(DirectDrawTest, ItsModesFollowTheSystemModesNamedAsItsOwn) {
    std::vector<std::string> names;
    auto collect = [](const GfxDisplayRecord* record, void* data) -> u16 {
        static_cast<std::vector<std::string>*>(data)->push_back(record->deviceName);
        return 0;
    };
    ASSERT_EQ(gfxEnumDisplayModes(collect, &names), kErrNone);
    EXPECT_EQ(names, (std::vector<std::string>{"", "", "DDRAW", "DDRAW"}));
}

}  // namespace

namespace {

TEST_F(DirectDrawTest, TheMainWindowGoingLeavesTheExclusiveLevel) {
    plat::DirectSurfaceService* service = ddrawGetObject();
    ASSERT_NE(service, nullptr);
    ASSERT_EQ(ddrawSetCooperativeLevel(1), kErrNone);
    EXPECT_TRUE(service->exclusive());
    osmSetMainWindow(plat::kNoWindow);
    plat::destroyWindow(window);
    EXPECT_FALSE(service->exclusive());
    window = plat::createWindow({"Test", "main", plat::defaultWindowProcedure});
}

TEST_F(DirectDrawTest, TheMainWindowStillHearsItsMessagesAndGetsItsProcedureBack) {
    int heard = 0;
    plat::setWindowProcedure(window, [&](plat::WindowHandle, u32 message, uintptr_t, intptr_t) -> intptr_t {
        if (message == plat::kMsgUser + 1) ++heard;
        return 7;
    });
    ASSERT_NE(ddrawGetObject(), nullptr);
    ASSERT_EQ(ddrawSetCooperativeLevel(0), kErrNone);
    EXPECT_EQ(plat::sendMessage(window, plat::kMsgUser + 1, 0, 0), 7);
    EXPECT_EQ(heard, 1);
    ddrawShutdown();
    EXPECT_EQ(plat::sendMessage(window, plat::kMsgUser + 1, 0, 0), 7);
    EXPECT_EQ(heard, 2);
}

TEST_F(DirectDrawTest, ADisplayChangeRemakesThePrimaryAtOnce) {
    ASSERT_NE(ddrawAddRestoreHandler(recordingHandler, &log), nullptr);
    ASSERT_NE(ddrawGetPrimarySurface(), nullptr);
    ASSERT_EQ(ddrawSetCooperativeLevel(0), kErrNone);
    log.events.clear();
    plat::sendMessage(window, plat::kMsgDisplayChange, 16, 0);
    ASSERT_EQ(log.events.size(), 1u);
    EXPECT_EQ(log.events[0].kind, kDDrawEventPrimaryCreated);
}

}  // namespace
