// A slide show exported as a movie by the running program, in English and in Spanish: each
// transition heard with the sound the program's settings name, the file named as given, and a
// failure told in the user's language.
#include <cstdio>
#include <filesystem>

#include "app/export/RExportCommand.h"
#include "app/export/RTransitionSoundWaves.h"
#include "app/menus/MenuCommands.h"
#include "document/users/EnginePath.h"
#include "engine/ini/IniProfiles.h"
#include "framework/language/LanguageTexts.h"
#include "media/quicktime/QtConnection.h"
#include "platform/files/Files.h"
#include "sound/import/SoundImport.h"
#include "tests/app/harness/ScreenHarness.h"
#include "tools/effects/transitions/TransitionKernels.h"

namespace {

using namespace Ostrel;

// A tone of `ms` as the archive keeps sounds.
std::vector<u8> tone(i32 ms) {
    std::vector<u8> pcm;
    for (i32 i = 0; i < ms * 22050 / 1000; ++i) {
        const u16 s = u16(i16((i % 40 < 20) ? 6000 : -6000));
        pcm.push_back(u8(s)), pcm.push_back(u8(s >> 8));
    }
    std::vector<u8> wave;
    EXPECT_EQ(ConvertPcmToArchiveWave(pcm, 16, 1, 22050, kImportCompress | kImportNoLoop, &wave), 0);
    return wave;
}

// How loud standard players hear the movie in each tenth of a second; empty without ffmpeg.
std::vector<i32> loudnessByTenths(const std::string& movie) {
    std::vector<i32> tenths;
    if (std::system("command -v ffmpeg > /dev/null 2>&1") != 0) return tenths;
    const std::string command = "ffmpeg -v error -i '" + movie + "' -vn -f s16le -ac 1 -ar 8000 - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    i16 samples[800];
    while (pipe && std::fread(samples, sizeof samples, 1, pipe) == 1) {
        i64 sum = 0;
        for (const i16 sample : samples) sum += std::abs(i32(sample));
        tenths.push_back(i32(sum / 800));
    }
    if (pipe) pclose(pipe);
    return tenths;
}

class ExportCommand : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        if (HasFatalFailure()) return;
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        startLoggedIn();
        ASSERT_TRUE(qtConnected());
        // The transitions' sounds: an archive of our own beside the program's, named by its
        // settings as the content set names its own.
        EnginePath archive(engineTextOfHostFolder(root_ + "/prog") + "\\TestSnd.kvr");
        ASSERT_EQ(resCreateFile(archive.get()), kErrNone);
        const ResMapHandle map = resOpenFile(archive.get(), 0, 0);
        ASSERT_NE(map, 0);
        const std::vector<u8> wave = tone(500);
        const ResourceRef ref = resAddResource(fourCC("tWAV"), u16(kTransitionWaveBase + 2), nullptr);
        ASSERT_EQ(resWriteResource(ref, wave.data(), u32(wave.size()), 0), kErrNone);
        ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
        ASSERT_EQ(iniWriteString(&app->GetConfigPath(), "Paths2", "TransitionSoundFile", "..\\TestSnd.kvr"), kErrNone);
    }
    void TearDown() override {
        ScreenHarness::TearDown();
        qtSetSearchFolders({});
    }
};

TEST_F(ExportCommand, ASlideShowMovieHearsItsTransitionsInEitherLanguage) {
    struct Case {
        bool spanish;
        const char* name;       // the file's name as the engine writes it (cp1252)
        const char* onDisc;     // and as the disc holds it
        const char* failure;    // what a failed export says
    };
    const Case cases[] = {
        {false, "Our show", "Our show.mov", "The slide show could not be made into a movie."},
        {true, "Presentaci\xF3n", "Presentaci\xC3\xB3n.mov",
         "No se pudo hacer la pel\xED" "cula de tu presentaci\xF3n."},
    };
    RDocument document(nullptr);
    for (u16 effect : {u16(TransitionKind::None), u16(TransitionKind::Fade), u16(TransitionKind::Fade)}) {
        PageSettings settings;
        settings.timingSeconds = 1;
        settings.transitionEffect = effect;
        // The second page's transition is heard; the third's place has no sound.
        settings.transitionOption = document.PageCount() == 1 ? 2 : 3;
        auto page = std::make_unique<RPage>(settings, std::string(), 0);
        ASSERT_EQ(page->Data().EnsureBackground(), kErrNone);
        ASSERT_EQ(document.AppendPage(std::move(page)), kErrNone);
    }
    ExportSources sources;
    sources.document = &document;
    sources.canvas = {160, 120};
    const std::string folder = engineTextOfHostFolder(root_ + "/prog");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if ((CurrentLanguage() == kLanguageSpanish) != c.spanish) mainWindow->OnCommand(kCmdSwitchLanguage);
        ASSERT_EQ(ExportProjectCommand(mainWindow, folder + "\\" + c.name + ".mov", ExportKind::ProjectMovie, sources),
                  kExportOk);
        EXPECT_TRUE(alerts().empty());
        const std::string movie = root_ + "/prog/" + c.onDisc;
        ASSERT_TRUE(std::filesystem::exists(movie));
        const std::vector<i32> tenths = loudnessByTenths(movie);
        if (!tenths.empty()) {
            ASSERT_GE(tenths.size(), 29u);
            for (size_t i : {2u, 8u, 15u, 25u}) EXPECT_LT(tenths[i], 500) << i;
            for (size_t i : {10u, 12u}) EXPECT_GT(tenths[i], 1500) << i;
        }
        // A folder that is not there: nothing is made, and the user is told so, not that the
        // disc is full.
        EXPECT_EQ(ExportProjectCommand(mainWindow, folder + "\\gone\\" + c.name + ".mov", ExportKind::ProjectMovie,
                                       sources),
                  kExportFailed);
        const std::vector<mfxAlertRecord> told = alerts();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].text, c.failure);
    }
}

}  // namespace
