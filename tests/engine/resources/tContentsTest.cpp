#include "engine/resources/tContents.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

#include "engine/base/MemoryHandles.h"
#include "engine/ini/IniProfiles.h"
#include "engine/resources/NamedResources.h"
#include "tests/engine/files/OsTestSupport.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace {

// A locator whose prompts answer from a script and are recorded.
class ScriptedLocator : public tContents {
public:
    using tContents::tContents;
    u16 Prompt(u16 kind) override {
        prompts.push_back(kind);
        if (answers.empty()) return 0;
        const u16 answer = answers.front();
        answers.pop_front();
        return answer;
    }
    u16 AskForDisc(i32 disc) override {
        discsAsked.push_back(disc);
        return onAskForDisc ? onAskForDisc(disc) : 0;
    }
    u16 AskToPutBackDisc(const char* label, u16) override {
        putBackAsked.push_back(label);
        return putBackAnswer;
    }
    void ExitProgram(int code) override { exits.push_back(code); }

    std::vector<u16> prompts;
    std::deque<u16> answers;
    std::vector<i32> discsAsked;
    std::function<u16(i32)> onAskForDisc;
    std::vector<std::string> putBackAsked;
    u16 putBackAnswer = 0;
    std::vector<int> exits;
};

// The profile syntax ends lines at CR LF.
std::string crlf(std::string text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) text.insert(at, "\r");
    return text;
}

constexpr const char* kToc =
    "[Paint]\nDisc=1\nFile_0=paint.arc\nFile_1=art\\tools.arc\n"
    "[OnDisc]\nDisc=1\nFile_0=ondisc.arc\n"
    "[OnDisc2]\nDisc=2\nFile_0=two.arc\n"
    "[NoFiles]\nDisc=1\n"
    "[NoDisc]\nFile_0=paint.arc\n"
    "[Gone]\nDisc=1\nFile_0=nowhere.arc\n"
    "[Picker]\nDisc=1\nFile_0=picker.arc\n"
    "[Picker_sp]\nDisc=1\nFile_0=picker_sp.arc\n"
    "[Disc1_Win]\nName=DISC1\n[Disc2_Win]\nName=DISC2\n"
    "[DISC1]\nDisc=1\n[DISC2]\nDisc=2\n";

class ContentLocator : public OsFixture {
protected:
    explicit ContentLocator(plat::DriveType type = plat::DriveType::CdRom, std::string label = "DISC1")
        : OsFixture(type, std::move(label)) {}
    void SetUp() override {
        OsFixture::SetUp();
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
        program_ = root_ + "/program";
        std::filesystem::create_directories(program_ + "/data/art");
        std::ofstream(program_ + "/TB.ini") << crlf(kToc);
        std::ofstream(program_ + "/TB.cfg") << crlf("[TOC]\nMCD=1\n");
        for (const char* name : {"data/paint.arc", "data/art/tools.arc", "data/picker.arc", "data/picker_sp.arc"}) {
            archive(program_ + "/" + name);
        }
        std::ofstream(program_ + "/data/shared.txt") << "data";
        archive(root_ + "/disc1/ondisc.arc");
        std::ofstream(root_ + "/disc1/shared.txt") << "disc";
        std::filesystem::create_directories(root_ + "/disc2");
        archive(root_ + "/disc2/two.arc");
        pathFromText(&programPath_, plat::textOfHostPath(program_).c_str());
        pathFromText(&dataPath_, plat::textOfHostPath(program_ + "/data").c_str());
    }
    void TearDown() override {
        locator_.reset();
        contentsSetSpanish(false);
        pathRelease(&programPath_);
        pathRelease(&dataPath_);
        iniShutdown();
        resShutdown();
        memShutdown();
        OsFixture::TearDown();
    }
    static void archive(const std::string& host) {
        std::ofstream out(host, std::ios::binary);
        out.write(reinterpret_cast<const char*>(testres::kEmptyArchive.data()),
                  std::streamsize(testres::kEmptyArchive.size()));
    }
    ScriptedLocator& locator() {
        if (!locator_) locator_ = std::make_unique<ScriptedLocator>(&programPath_, &dataPath_, "TB.ini", "TB.cfg");
        return *locator_;
    }
    std::string found(const char* name) {
        Path path;
        if (!locator().FindContentFile(name, &path)) return "";
        char text[kSystemTextSize];
        pathGetFullText(&path, text);
        pathRelease(&path);
        std::ifstream in(plat::hostPathOfText(text));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string program_;
    Path programPath_{};
    Path dataPath_{};
    std::unique_ptr<ScriptedLocator> locator_;
};

TEST_F(ContentLocator, ReadsTheSwitchesAndAllowsOneLocator) {
    EXPECT_EQ(locator().multiDisc, 1);
    EXPECT_EQ(locator().debugContent, 0);
    EXPECT_EQ(contentsLocator(), &locator());
    try {
        ScriptedLocator second(&programPath_, &dataPath_, "TB.ini", "TB.cfg");
        ADD_FAILURE() << "a second locator was built";
    } catch (tContents::tError error) {
        EXPECT_EQ(error, tContents::kSecondLocator);
    }
    EXPECT_EQ(locator().prompts, std::vector<u16>{tContents::kSecondLocator});
}

TEST_F(ContentLocator, MissingTableOfContentsIsRefused) {
    try {
        ScriptedLocator none(&programPath_, &dataPath_, "NONE.ini", "TB.cfg");
        ADD_FAILURE() << "built without its table";
    } catch (tContents::tError error) {
        EXPECT_EQ(error, tContents::kNoTableOfContents);
    }
    EXPECT_EQ(contentsLocator(), nullptr);
}

TEST_F(ContentLocator, ItemsOpenOrReportWhyNot) {
    struct Case {
        const char* item;
        u16 code;
        size_t archives;
    };
    const Case cases[] = {
        {"Paint", 0, 2},                           // both archives in the data folder
        {"OnDisc", 0, 1},                          // on the disc in the drive
        {"NoFiles", tContents::kItemNotFound, 0},  // "Disc" but no "File_0": missing, not searched for ever
        {"NoDisc", tContents::kNoDiscKey, 0},
        {"Gone", tContents::kDiscRefused, 0},      // nowhere: the disc is asked for and refused
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        ScriptedLocator& l = locator();
        l.prompts.clear();
        EXPECT_EQ(l.OpenContent(c.item, 1), c.code);
        EXPECT_EQ(l.ArchivesOf(c.item).size(), c.archives);
        if (c.code) {
            EXPECT_EQ(l.prompts, std::vector<u16>{c.code});
        } else {
            EXPECT_TRUE(l.prompts.empty());
        }
        if (c.code != tContents::kDiscRefused) {
            EXPECT_TRUE(l.discsAsked.empty());
        }
        l.discsAsked.clear();
    }
}

TEST_F(ContentLocator, AsksForTheOtherDiscAfterEjectingTheOneInTheDrive) {
    ScriptedLocator& l = locator();
    l.answers = {1};  // refusing the disc once: "No, don't quit", so it is asked again
    int asked = 0;
    l.onAskForDisc = [&](i32) {
        if (++asked == 1) return u16(0);
        drive_->insert(disc("DISC2", 2222, "disc2"));
        return u16(1);
    };
    EXPECT_EQ(l.OpenContent("OnDisc2", 1), 0);
    EXPECT_EQ(l.discsAsked, (std::vector<i32>{2, 2}));
    EXPECT_EQ(l.prompts, std::vector<u16>{tContents::kDiscRefused});
    EXPECT_GE(drive_->ejectCount(), 1) << "disc 1 made room";
    EXPECT_EQ(l.ArchivesOf("OnDisc2").size(), 1u);
}

TEST_F(ContentLocator, FindsFilesInTheNewestItemFirst) {
    ScriptedLocator& l = locator();
    ASSERT_EQ(l.OpenContent("Paint", 1), 0);
    EXPECT_EQ(found("shared.txt"), "data");
    ASSERT_EQ(l.OpenContent("OnDisc", 1), 0);
    EXPECT_EQ(found("shared.txt"), "disc");
    l.ReleaseContent("ondisc");  // names compare without regard to case
    EXPECT_EQ(found("shared.txt"), "data");
    EXPECT_EQ(found("missing.txt"), "");
}

TEST_F(ContentLocator, AnItemOpenedTwiceIsReleasedNewestFirst) {
    ScriptedLocator& l = locator();
    ASSERT_EQ(l.OpenContent("Paint", 1), 0);
    ASSERT_EQ(l.OpenContent("Paint", 1), 0);
    l.ReleaseContent("Paint");
    EXPECT_EQ(l.ArchivesOf("Paint").size(), 2u);
    l.ReleaseContent("Paint");
    EXPECT_TRUE(l.ArchivesOf("Paint").empty());
}

TEST_F(ContentLocator, SpanishItemsOpenUnderTheirOwnName) {
    locator();
    struct Case {
        bool spanish;
        const char* name;
        const char* opened;
        size_t archives;
    };
    const Case cases[] = {
        {false, "Picker", "Picker", 1}, {true, "Picker", "Picker_sp", 1}, {true, "Paint", "Paint", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.spanish ? " in Spanish" : ""));
        contentsSetSpanish(c.spanish);
        EXPECT_EQ(contentsItemName(c.name), c.opened);
        EXPECT_EQ(OpenNamedResource(c.name, 1), 0);
        EXPECT_EQ(locator().ArchivesOf(c.opened).size(), c.archives);
        ReleaseNamedResource(c.name);
        EXPECT_TRUE(locator().ArchivesOf(c.opened).empty());
    }
}

// The language may change while an item is open: it is released in the form it was opened in.
TEST_F(ContentLocator, AnItemIsReleasedInTheLanguageItWasOpenedIn) {
    locator();
    for (const bool spanishFirst : {false, true}) {
        SCOPED_TRACE(spanishFirst);
        const char* opened = spanishFirst ? "Picker_sp" : "Picker";
        contentsSetSpanish(spanishFirst);
        ASSERT_EQ(OpenNamedResource("Picker", 1), 0);
        contentsSetSpanish(!spanishFirst);
        ReleaseNamedResource("Picker");
        EXPECT_TRUE(locator().ArchivesOf(opened).empty());
    }
    contentsSetSpanish(true);
    EXPECT_EQ(contentsItemName("Easel"), "Easel_sp");
    contentsSetSpanish(false);
}

TEST_F(ContentLocator, NamedResourcesNeedALocator) { EXPECT_EQ(OpenNamedResource("Paint", 1), kNamedResourceNoLocator); }

TEST_F(ContentLocator, AContentDiscTakenOutWhileInUseIsAskedBack) {
    ScriptedLocator& l = locator();
    ASSERT_EQ(l.OpenContent("OnDisc", 1), 0);
    VolumeRecord* disc1 = ContentsFindDisc(1);
    ASSERT_NE(disc1, nullptr);
    struct Case {
        u16 answer;
        u16 retry;
        std::vector<int> exits;
    };
    const Case cases[] = {{1, 1, {}}, {0, 0, {1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        l.putBackAnswer = c.answer;
        l.exits.clear();
        OsErrorRecord event{kOsErrorKindInsertVolume, 1, 20, disc1, nullptr};
        u16 quit = 0;
        EXPECT_EQ(l.HandleVolumeEvent(event, &quit), c.retry);
        EXPECT_EQ(l.putBackAsked.back(), "DISC1");
        EXPECT_EQ(l.exits, c.exits);
    }
    l.ReleaseContent("OnDisc");
    l.putBackAsked.clear();
    OsErrorRecord event{kOsErrorKindInsertVolume, 1, 20, disc1, nullptr};
    u16 quit = 1;
    EXPECT_EQ(l.HandleVolumeEvent(event, &quit), 0) << "a disc no item uses goes to the earlier callback";
    EXPECT_TRUE(l.putBackAsked.empty());
    EXPECT_EQ(quit, 0);
}

// Content on a hard disc that is no content disc counts only while [TOC] Debug says so.
class ContentOnFixedDrive : public ContentLocator {
protected:
    ContentOnFixedDrive() : ContentLocator(plat::DriveType::Fixed, "SCRATCH") {}
};

TEST_F(ContentOnFixedDrive, IsFoundOnlyInDebugMode) {
    struct Case {
        const char* config;
        u16 code;
    };
    const Case cases[] = {{"[TOC]\nDebug=0\n", tContents::kDiscRefused}, {"[TOC]\nDebug=1\n", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config);
        locator_.reset();
        iniShutdown();  // the switches are read afresh
        ASSERT_EQ(iniInit(), kErrNone);
        std::ofstream(program_ + "/TB.cfg") << crlf(c.config);
        EXPECT_EQ(locator().OpenContent("OnDisc", 1), c.code);
    }
}

}  // namespace

// A disc that carries no content disc label but holds an item's archives all the same.
class ContentOnUnlabelledDisc : public ContentLocator {
protected:
    ContentOnUnlabelledDisc() : ContentLocator(plat::DriveType::CdRom, "PLAIN") {}
};

TEST_F(ContentOnUnlabelledDisc, StaysWhileAnItemUsesItWhenDiscsAreEjectedForAnother) {
    ScriptedLocator& l = locator();
    ASSERT_EQ(l.OpenContent("OnDisc", 1), 0);
    l.answers = {1, 0};  // yes, eject the discs that hold no content; then give up
    EXPECT_EQ(l.OpenContent("OnDisc2", 1), tContents::kDiscRefused);
    EXPECT_EQ(l.prompts, (std::vector<u16>{tContents::kAskToEject, tContents::kDiscRefused}));
    EXPECT_EQ(drive_->ejectCount(), 0) << "the disc in use stays";
    l.ReleaseContent("OnDisc");
    EXPECT_TRUE(l.ArchivesOf("OnDisc").empty());
}
