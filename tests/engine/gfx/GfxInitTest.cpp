#include <filesystem>
#include <fstream>

#include "engine/ini/IniProfiles.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxDecompressors.h"
#include "engine/gfx/GfxDirectDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxFont.h"
#include "engine/gfx/GfxInit.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "platform/cursor/Cursors.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/gdi/DisplayPalette.h"
#include "platform/gdi/FontCatalog.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"
#include "tests/engine/files/OsTestSupport.h"

namespace {

// Graphics started over a headless display whose desktop is 1024 × 768 at 24 bits, with the
// program's folder played by drive T:.
class GfxInitTest : public OsFixture {
protected:
    GfxInitTest() : OsFixture(plat::DriveType::Fixed, "PROGRAM") {}
    void SetUp() override {
        OsFixture::SetUp();
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
        plat::gdi::DisplayPalette::instance().restoreDefaults();
        display.setModes({{1024, 768, 24, 60}, {800, 600, 16, 60}, {640, 480, 8, 60}});
        plat::setDisplayDriver(&display);
        window = plat::createWindow({"Test", "test", plat::defaultWindowProcedure});
    }
    void TearDown() override {
        gfxShutdown();
        plat::destroyWindow(window);
        plat::Message m;
        while (plat::peekMessage(m, true)) {
        }
        plat::setDisplayDriver(nullptr);
        plat::cursor::resetCursors();
        plat::gdi::DisplayPalette::instance().restoreDefaults();
        iniShutdown();
        memShutdown();
        OsFixture::TearDown();
    }
    EngineErr start(const GfxSettings& settings, GfxDisplayMode wanted = GfxDisplayMode(kGfxAnySize, kGfxAnySize,
                                                                                        kGfxAnyColors, 0),
                    u16 changeAllowed = 0) {
        mode = wanted;
        return gfxInitWith(settings, "T:", &mode, changeAllowed);
    }
    std::vector<u32> messagesOfWindow() {
        std::vector<u32> seen;
        plat::Message m;
        while (plat::peekMessage(m, true))
            if (m.window == window) seen.push_back(m.message);
        return seen;
    }

    plat::HeadlessDisplay display;
    plat::WindowHandle window = plat::kNoWindow;
    GfxDisplayMode mode;
};

TEST_F(GfxInitTest, StartsWithPaletteFontAndCursorAndShutdownDisposesEverything) {
    ASSERT_EQ(start(GfxSettings{}), kErrNone);
    EXPECT_TRUE(gfxInitialised());
    EXPECT_NE(gfxDefaultPalette(), nullptr);
    EXPECT_NE(gfxDefaultFont(), nullptr);
    EXPECT_EQ(gfxDisplayDepth(), 24);
    EXPECT_EQ(mode.width, 1024) << "the wanted mode is rewritten from the display";
    EXPECT_NE(plat::cursor::currentCursor(), plat::cursor::kNoCursor);
    GfxPort* port = gfxNewOffscreenPort(8, 8, 16, nullptr);
    ASSERT_NE(port, nullptr);
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    gfxShutdown();
    EXPECT_FALSE(gfxInitialised());
    EXPECT_EQ(gfxPortListHead(), nullptr) << "a locked port is unlocked and disposed";
    EXPECT_EQ(gfxDefaultPalette(), nullptr);
    EXPECT_EQ(gfxDefaultFont(), nullptr);
    EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::kNoCursor);
}

TEST_F(GfxInitTest, NoSuitableModeRefusesTheStart) {
    EXPECT_EQ(start(GfxSettings{}, GfxDisplayMode(2000, kGfxAnySize, kGfxAnyColors, 0)), kGfxErrNoDisplayMode);
    EXPECT_FALSE(gfxInitialised());
    EXPECT_EQ(start(GfxSettings{}, GfxDisplayMode(800, 600, 256, 1), 0), kGfxErrNoDisplayMode)
        << "without change, only the current display counts";
}

TEST_F(GfxInitTest, PalettizedWantSwitchesToAnEightBitMode) {
    EXPECT_EQ(start(GfxSettings{}, GfxDisplayMode(800, 600, 256, 1), 1), kGfxErrNoDisplayMode)
        << "no 8-bit mode has 600 rows";
    EXPECT_EQ(display.currentMode().width, 1024);
    ASSERT_EQ(start(GfxSettings{}, GfxDisplayMode(640, 480, 256, 1), 1), kErrNone);
    EXPECT_EQ(display.currentMode(), (plat::DisplayMode{640, 480, 8, 60}));
    EXPECT_EQ(gfxDisplayDepth(), 8);
    EXPECT_EQ(mode.palettized, 1);
}

TEST_F(GfxInitTest, SixteenBitSwitchSetsTheDepthAndShutdownRestoresTheDesktop) {
    ASSERT_EQ(start(GfxSettings{}, GfxDisplayMode(800, 600, 65536, 0), 1), kErrNone);
    EXPECT_EQ(display.currentMode(), (plat::DisplayMode{800, 600, 16, 60}));
    EXPECT_EQ(gfxDisplayDepth(), 16);
    gfxShutdown();
    EXPECT_EQ(display.currentMode().width, 1024);
}

TEST_F(GfxInitTest, FontFilesOfTheProgramFolderAreInstalledWhateverTheirCase) {
    plat::gdi::FontFile sans;
    ASSERT_TRUE(plat::gdi::findFontFile("DEFAULT", 400, false, sans));
    std::filesystem::copy_file(sans.path, plat::driveHostRoot('T') + "/Fancy.TtF");
    std::filesystem::copy_file(sans.path, plat::driveHostRoot('T') + "/Fancy.ttx");
    put("Broken.fon", "not a font");
    ASSERT_EQ(start(GfxSettings{}), kErrNone);
    EXPECT_EQ(gfxPrivateFonts(), (std::vector<std::string>{"T:\\Fancy.TtF"}));
    std::vector<u32> seen = messagesOfWindow();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), plat::kMsgFontChange), 1);
    gfxShutdown();
    EXPECT_TRUE(gfxPrivateFonts().empty());
    seen = messagesOfWindow();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), plat::kMsgFontChange), 1) << "removing them is announced too";
}

TEST_F(GfxInitTest, PluginsNamedInTheSettingsAreLoadedByCodecName) {
    GfxSettings settings;
    settings.decompressors = {{"TESTDEC", TEST_DECODER_PATH}, {"LONGNAME9", TEST_DECODER_PATH},
                              {"NUMBERED", std::string(TEST_DECODER_PATH) + ";7"}, {"MISSING", "nothing-here.so"}};
    ASSERT_EQ(start(settings), kErrNone);
    auto find = [](const char* name) {
        u8 codec[kGfxCodecNameSize] = {};
        std::memcpy(codec, name, std::strlen(name));
        return gfxFindDecompressor(codec);
    };
    ASSERT_NE(find("TESTDEC"), nullptr);
    EXPECT_EQ(find("TESTDEC")->datum, 0u);
    EXPECT_EQ(find("LONGNAME"), nullptr) << "a key of nine characters is ignored";
    ASSERT_NE(find("NUMBERED"), nullptr);
    EXPECT_EQ(find("NUMBERED")->datum, 7u);
    EXPECT_EQ(find("MISSING"), nullptr);
    gfxShutdown();
    EXPECT_EQ(find("TESTDEC"), nullptr);
}

TEST_F(GfxInitTest, DirectSurfacesAreTouchedOnlyWhenTheSettingsEnableThem) {
    ASSERT_EQ(start(GfxSettings{}), kErrNone);
    EXPECT_EQ(ddrawGetObject(), nullptr);
    gfxShutdown();
    GfxSettings enabled;
    enabled.ddraw.enable = 1;
    ASSERT_EQ(start(enabled), kErrNone);
    EXPECT_NE(ddrawGetObject(), nullptr);
}

TEST_F(GfxInitTest, SettingsAreReadFromTheProfileWithDefaultsForTheRest) {
    put("engine.ini",
        "[Graphics]\r\nfEnableDisplayChange=0\r\nnCharSet=0\r\n"
        "[Graphics.Decompressors]\r\nABC=abc.so,5\r\nLONGNAME9=x.so\r\n"
        "[DirectDraw]\r\nfEnable=1\r\nfRelaxClipping=TRUE\r\n");
    Path profile{};
    pathFromText(&profile, "T:\\engine.ini");
    GfxSettings settings;
    gfxReadSettings(&profile, &settings);
    pathRelease(&profile);
    EXPECT_EQ(settings.enableDisplayChange, 0);
    EXPECT_EQ(settings.enableQtPalette, 0);
    EXPECT_EQ(settings.charSet, 0);
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(settings.decompressors, (std::vector<Entry>{{"ABC", "abc.so,5"}, {"LONGNAME9", "x.so"}}));
    EXPECT_EQ(settings.ddraw.enable, 1);
    EXPECT_EQ(settings.ddraw.certifiedOnly, 0);
    EXPECT_EQ(settings.ddraw.fullScreen, 1);
    EXPECT_EQ(settings.ddraw.relaxClipping, 1);
}

}  // namespace
