// The page's sounds on the easel, heard on the headless audio device: a sound on the page
// enables Play, which plays it, and a click off Stop stops it; with the user's attached sounds
// off, Play stays disabled. The page commands that play and stop the sounds reach them. The
// program's own Flash export of a page with a sound comes back as an animation heard at Play.
#include <cctype>
#include <filesystem>
#include <memory>

#include "app/menus/MenuCommands.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/Paths.h"
#include "engine/audio/format/ArchiveWave.h"
#include "media/quicktime/QtConnection.h"
#include "media/swf/Interfaces.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "tests/app/harness/ProgramEar.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

// Two seconds of a loud square wave, as our own sound import stores it.
std::vector<u8> toneWave() {
    ArchiveWaveInfo info;
    info.sampleRate = 22050;
    info.bits = 8;
    info.frames = 44100;
    std::vector<u8> samples(info.frames);
    for (u32 i = 0; i < info.frames; ++i) samples[i] = (i / 25) % 2 ? 0x20 : 0xE0;
    return writeArchiveWave(info, samples);
}

class PagePlay : public testscreens::EaselHarness {
protected:
    // The sound object added to the shown page, and the page's state told to the easel.
    void addSound(std::vector<u8> media, u16 id = 1) {
        auto sound = std::make_unique<RMediaFilePageObject>(kTypeSound, id);
        sound->media = std::move(media);
        ASSERT_NE(app->GetCurrentPage()->Data().AdoptObject(std::move(sound)), nullptr);
        send(kMsgPageStateChanged);
    }
    void send(u32 code) {
        RMessage message(code, 0, 0);
        easel->HandleMessage(&message, 0);
    }
    RButton* button(u16 id) {
        const i32 index = easel->FindButtonById(id);
        return index < 0 ? nullptr : easel->Buttons()[size_t(index)].get();
    }
    bool heardSince(size_t from, u32 ms = 1000) { return ear.HeardSince(clock_.clock(), from, ms, loop); }
    size_t playing() const { return easel->Canvas()->Sounds().PlayingCount(); }
    void clickButton(u16 id) {
        RButton* pressed = button(id);
        ASSERT_TRUE(pressed && pressed->GetHotSpot());
        const Rect16 at = pressed->GetHotSpot()->GetRect();
        click(Point16{i16((at.left + at.right) / 2), i16((at.top + at.bottom) / 2)});
    }
    // A menu command whose file dialog is answered with `typed` and Return; `steps` moves
    // that many types down the dialog's type list first.
    void throughDialog(u16 command, const std::string& typed, int steps = 0) {
        for (const char c : typed) queueKey(c == '.' ? plat::kVkPeriod : u8(std::toupper(u8(c))));
        for (int i = 0; i < steps; ++i) queueKey(plat::kVkTab), queueKey(plat::kVkDown);
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(command);
        settle();
    }
    std::string folder(u16 number) const { return plat::hostPathOfText(app->GetPaths()->BuildPath(number, false)) + "/"; }

    testapp::ProgramEar ear;
    std::function<void()> loop = [this] { settle(1); };
};

struct PlayCase {
    const char* name;
    u16 attachedSounds;
    bool playable;
};

class PagePlayButton : public PagePlay, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(PagePlayButton, APageSoundEnablesPlayWhichPlaysItUnlessAttachedSoundsAreOff) {
    const PlayCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(enterEasel());
    app->GetGlobalUserSettings()->attachedSounds = c.attachedSounds;
    ASSERT_NO_FATAL_FAILURE(addSound(toneWave()));
    EXPECT_EQ(easel->HasMedia(), c.playable);
    RButton* play = button(kPlayButton);
    ASSERT_NE(play, nullptr);
    ASSERT_NE(play->GetHotSpot(), nullptr);
    EXPECT_EQ(play->GetState() == kButtonUp, c.playable);

    ear.UntilQuiet(clock_.clock(), loop);
    const size_t before = ear.Played();
    const Rect16 at = play->GetHotSpot()->GetRect();
    click(Point16{i16((at.left + at.right) / 2), i16((at.top + at.bottom) / 2)});
    EXPECT_EQ(easel->IsPlaying(), c.playable);
    EXPECT_EQ(playing(), c.playable ? 1u : 0u);
    EXPECT_EQ(heardSince(before), c.playable);
    if (c.playable) {
        // A click off Stop stops the page.
        const Rect16& canvas = easel->Canvas()->CanvasRect();
        click(Point16{i16(canvas.left + 20), i16(canvas.top + 20)});
        EXPECT_FALSE(easel->IsPlaying());
        EXPECT_EQ(playing(), 0u);
    }
    // An opened picture's sounds play as the picture comes (6649), with attached sounds on.
    send(kMsgPlaySounds);
    EXPECT_EQ(playing(), c.playable ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(AttachedSounds, PagePlayButton,
                         ::testing::Values(PlayCase{"on", 1, true}, PlayCase{"off", 0, false}),
                         [](const ::testing::TestParamInfo<PlayCase>& info) { return std::string(info.param.name); });

TEST_F(PagePlay, ThePageCommandsPlayAndStopItsSounds) {
    ASSERT_NO_FATAL_FAILURE(enterEasel());
    ASSERT_NO_FATAL_FAILURE(addSound(toneWave()));
    struct Step {
        u32 command;
        size_t playing;
    };
    const Step steps[] = {
        {kMsgPlaySounds, 1}, {kMsgStopSounds, 0}, {kMsgPlaySounds, 1}, {kMsgStopMedia, 0},
        {kMsgPlayPage, 1},   {kMsgPlayLastPlaced, 0}, {kMsgPlayPage, 1}, {kMsgPlayPage, 1},
    };
    for (const Step& step : steps) {
        send(step.command);
        EXPECT_EQ(playing(), step.playing) << step.command;
    }
}

// A painted page with a sound, made a Flash movie by File > Export, comes back through Add >
// Import a Sound in a program that has exported nothing, where the SWF engine has no host
// until the canvas's Flash player gives it one: the painting shows where it was painted, the
// animation is quiet while it shows, and the page's Play lets its sound be heard.
TEST_F(PagePlay, TheProgramsOwnFlashExportOfAPageWithASoundShowsAndIsHeardAtPlay) {
    qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
    const std::unique_ptr<void, void (*)(void*)> searchAgain(this, [](void*) { qtSetSearchFolders({}); });
    ASSERT_NO_FATAL_FAILURE(enterEasel());
    ASSERT_TRUE(qtConnected());
    const Rect16 canvas = easel->Canvas()->CanvasRect();
    const i16 y = i16(canvas.top + 200);
    for (i16 row = -8; row <= 8; row += 2) drag({i16(canvas.left + 40), i16(y + row)}, {i16(canvas.left + 300), i16(y + row)});
    const Point16 painted{i16(canvas.left + 170), y};
    const u32 blank = shownPixel(Point16{i16(canvas.left + 170), i16(y + 120)});
    ASSERT_NE(shownPixel(painted), blank) << "the stroke painted";
    ASSERT_NO_FATAL_FAILURE(addSound(toneWave()));
    throughDialog(kCmdExport, "hop", 3);
    ASSERT_TRUE(std::filesystem::exists(folder(kFolderUser) + "hop.swf"));

    app->ExitInstance();
    app.reset();
    swf::SetHost(nullptr);
    ASSERT_NO_FATAL_FAILURE(enterEasel());
    advance(100);
    std::filesystem::copy_file(folder(kFolderUser) + "hop.swf", folder(kFolderLibSounds) + "hop.swf");
    EXPECT_EQ(shownPixel(painted), blank) << "a new page";
    ear.UntilQuiet(clock_.clock(), loop);
    size_t before = ear.Played();
    throughDialog(kCmdImportSound, "hop.swf");
    EXPECT_TRUE(alerts().empty());
    EXPECT_NE(shownPixel(painted), blank) << "the painting shows in the animation";
    EXPECT_EQ(shownPixel(Point16{i16(canvas.left + 170), i16(y + 120)}), blank);
    EXPECT_FALSE(heardSince(before, 500)) << "an animation is heard only at Play";

    EXPECT_TRUE(easel->HasMedia());
    before = ear.Played();
    clickButton(kPlayButton);
    EXPECT_TRUE(easel->IsPlaying());
    EXPECT_TRUE(heardSince(before)) << "Play lets the animation's sound be heard";
}

// What is not an archive wave with samples is no sound to play: Play stays disabled.
TEST_F(PagePlay, ASoundObjectWithoutAPlayableWaveLeavesPlayDisabled) {
    ASSERT_NO_FATAL_FAILURE(enterEasel());
    ArchiveWaveInfo empty;
    empty.sampleRate = 22050;
    empty.bits = 8;
    u16 id = 1;
    for (const std::vector<u8>& media : {std::vector<u8>{}, std::vector<u8>(64, 7), writeArchiveWave(empty, {})}) {
        ASSERT_NO_FATAL_FAILURE(addSound(media, id++));
        EXPECT_FALSE(easel->HasMedia()) << media.size();
        send(kMsgPlaySounds);
        EXPECT_EQ(playing(), 0u);
    }
}

}  // namespace
