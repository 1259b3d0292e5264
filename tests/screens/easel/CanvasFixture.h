#pragma once
// A canvas on a plain 16-bit screen port, owned by a stand-in for the easel that keeps the
// current page and counts what the canvas asked of it. The user's pictures lie on a fake
// fixed drive T:, whose faults (a full disc, write protection) reach every file service.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/GlobalUserSettings.h"
#include "document/filedialogs/ShowFileDialogs.h"
#include "document/pages/RPage.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/gl/GlSharedRenderer.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"
#include "framework/undo/UndoManager.h"
#include "platform/drives/Drives.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/RCanvasOwner.h"
#include "tools/base/RToolMgr.h"

namespace easeltest {

class FakeEasel : public Ostrel::RCanvasOwner {
public:
    Ostrel::RPage* CurrentPage() const override { return page.get(); }
    std::unique_ptr<Ostrel::RPage> SetCurrentPage(std::unique_ptr<Ostrel::RPage> next) override {
        std::swap(page, next);
        return next;
    }
    Ostrel::RDocument* CurrentDocument() const override { return nullptr; }
    const Ostrel::Paths* UserPaths() const override { return nullptr; }
    Ostrel::GlobalUserSettings* UserSettings() const override { return &settings; }
    GfxColor PaintColor() const override { return paintColor; }
    u16 DetachPanel() override {
        ++detached;
        attachedNow = false;
        return 1;
    }
    void AttachPanel() override {
        ++attached;
        attachedNow = true;
    }
    void PageStateChanged() override { ++stateChanges; }
    void GiveObjectFrame(Ostrel::RPageObject*) override { ++framesGiven; }
    bool CutMovePanelCurrent() const override { return false; }
    u32 FileAlert(const char* key, u32) override {
        alerts.push_back(key);
        return alertAnswer;
    }
    bool AskImportFile(u16 kind, Ostrel::ImportChoice* choice, const Ostrel::ImportPreview*) override {
        importKinds.push_back(kind);
        if (importPath.empty()) return false;
        choice->path = importPath;
        choice->fileType = importType;
        return true;
    }
    bool IsCurrentScreen() const override { return true; }
    void ClickOutsideCanvas(Point16) override { ++outsideClicks; }
    void SendToPanel(u32 code, uintptr_t) override { panelMessages.push_back(code); }
    u16 FlashObjectLimit() const override { return flashLimit; }

    std::unique_ptr<Ostrel::RPage> page;
    mutable Ostrel::GlobalUserSettings settings;
    GfxColor paintColor = GfxColor::rgb(0, 0, 0);
    int detached = 0, attached = 0, stateChanges = 0, framesGiven = 0, outsideClicks = 0;
    std::vector<std::string> alerts;
    u32 alertAnswer = 4;
    std::vector<u16> importKinds;
    std::string importPath;
    FourCC importType = 0;
    std::vector<u32> panelMessages;
    u16 flashLimit = 65535;
    bool attachedNow = true;
};

class CanvasFixture : public ::testing::Test {
protected:
    static constexpr Rect16 kCanvas{100, 50, 420, 290};

    void SetUp() override {
        char pattern[] = "/tmp/tumblo-easel-XXXXXX";
        root_ = ::mkdtemp(pattern);
        std::filesystem::create_directories(root_ + "/disc/Pictures");
        // The drive is in place before the OS services list the volumes.
        drive_ = std::make_unique<plat::FakeDrive>('T', plat::FakeDisc{root_ + "/disc", "USER", 77},
                                                   plat::DriveType::Fixed);
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(osmInit(nullptr), kErrNone);
        ASSERT_EQ(osInit(), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        screen_ = gfxNewOffscreenPort(800, 600, 16, nullptr);
        ASSERT_NE(screen_, nullptr);
        ASSERT_EQ(gfxLockPort(screen_), kErrNone);
        screenView_ = pixelViewOfPort(*static_cast<GfxOffscreenPort*>(screen_));
        screenView_.Fill(kRgb555Black);
        canvas_ = std::make_unique<Ostrel::RCanvas>(kCanvas);
        ASSERT_EQ(canvas_->Init(&easel_, nullptr, screen_, &undo_), 0);
        Ostrel::RMessage fresh(6603, 1, 0);
        canvas_->HandleMessage(&fresh, 0);
        ASSERT_NE(easel_.page, nullptr);
    }
    void TearDown() override {
        canvas_.reset();
        // As the program does on leaving: a test program that ran only canvases must not meet
        // the renderer at exit, after the renderers' registry is gone.
        glReleaseSharedRenderer();
        easel_.page.reset();
        gfxUnlockPort(screen_);
        gfxDisposePort(screen_);
        gfxShutdownPalettes();
        resShutdown();
        iniShutdown();
        osShutdown();
        osmShutdown();
        memShutdown();
        drive_.reset();
        std::filesystem::remove_all(root_);
    }

    // A stroke as the main window hands it over: press, moves, release, in screen points.
    void drag(Point16 from, Point16 to) {
        ASSERT_EQ(canvas_->HandleInput(Ostrel::kInputLeftButton, from, 0), 1u);
        const Point16 middle{i16((from.h + to.h) / 2), i16((from.v + to.v) / 2)};
        canvas_->HandleMouseMove(middle, 1);
        canvas_->HandleMouseMove(to, 1);
        canvas_->HandleMouseUp(Ostrel::kInputLeftButton, to, 0);
    }
    u16 onScreen(i16 x, i16 y) const { return screenView_.At(x, y); }
    u16 inPicture(i16 x, i16 y) const { return canvas_->Picture().At(x - kCanvas.left, y - kCanvas.top); }
    static std::string picturePath(const std::string& name) { return "T:\\Pictures\\" + name; }
    std::string hostPath(const std::string& name) const { return root_ + "/disc/Pictures/" + name; }

    std::string root_;
    std::unique_ptr<plat::FakeDrive> drive_;
    GfxPort* screen_ = nullptr;
    PixelView screenView_;
    Ostrel::UndoManager undo_{201};
    FakeEasel easel_;
    std::unique_ptr<Ostrel::RCanvas> canvas_;
};

}  // namespace easeltest
