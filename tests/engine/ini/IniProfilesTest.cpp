#include "engine/ini/IniProfiles.h"

#include "tests/engine/files/OsTestSupport.h"
#include "engine/base/MemoryHandles.h"
#include "engine/os/OsThreads.h"

#include <cstring>

namespace {

// The services and the INI module started over a scratch disc in T:.
class IniFixture : public OsFixture {
protected:
    explicit IniFixture(std::string fileSystem = "CDFS", u32 maxNameLength = 255)
        : OsFixture(plat::DriveType::Fixed, "SCRATCH", std::move(fileSystem), maxNameLength) {}

    void SetUp() override {
        OsFixture::SetUp();
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
    }
    void TearDown() override {
        iniShutdown();
        memShutdown();
        OsFixture::TearDown();
    }
};

class IniProfiles : public IniFixture {
protected:
    void SetUp() override {
        IniFixture::SetUp();
        pathFromText(&profile_, "T:\\test.ini");
    }
    void TearDown() override {
        pathRelease(&profile_);
        IniFixture::TearDown();
    }
    void profile(const std::string& bytes) { put("test.ini", bytes); }
    std::string get(const char* section, const char* key, u16 size = 128, EngineErr expected = kErrNone) {
        char buffer[256];
        EXPECT_EQ(iniGetString(&profile_, section, key, buffer, size, "dflt"), expected);
        return buffer;
    }
    std::string list(const char* section, u16 size = 128) {
        char buffer[256];
        std::memset(buffer, '#', sizeof buffer);
        iniGetString(&profile_, section, nullptr, buffer, size, "");
        size_t n = 0;
        while (buffer[n] || buffer[n + 1]) ++n;
        return std::string(buffer, n + 2);
    }
    EngineErr write(const char* section, const char* key, const char* value) {
        return iniWriteString(&profile_, section, key, value);
    }
    std::string onDisk() { return read("test.ini"); }

    Path profile_{};
};

TEST_F(IniProfiles, ValuesLoseBlanksAndQuotes) {
    profile("[Sound]\r\n  Volume  =  ' 7 '  \r\nName=\"x\r\nOne='\r\nMixed='a\"\r\n");
    EXPECT_EQ(get("Sound", "Volume"), " 7 ");
    EXPECT_EQ(get("sound", "volume"), " 7 ");
    EXPECT_EQ(get("Sound", "Name"), "\"x");
    EXPECT_EQ(get("Sound", "One"), "'");
    EXPECT_EQ(get("Sound", "Mixed"), "'a\"");
}

TEST_F(IniProfiles, CommentsAndLinesWithoutEqualsAreNotKeys) {
    profile("[S]\r\n;Key=1\r\nplain line\r\n\tKey = 2\r\n[T]\r\nKey=3\r\n");
    EXPECT_EQ(get("S", "Key"), "2");
    EXPECT_EQ(get("S", ";Key", 128, kIniErrNotFound), "dflt");
    EXPECT_EQ(get("T", "Key"), "3");
    EXPECT_EQ(get("U", "Key", 128, kIniErrNotFound), "dflt");
}

// A profile from a Windows editor, a Linux one, an old Mac one, or a mix of them reads alike;
// a key written into it gets lines of the engine's own CR LF and every old line still reads.
TEST_F(IniProfiles, EveryKindOfLineEndEndsALine) {
    struct Case {
        const char* name;
        const char* text;
        const char* afterWrite;
    };
    const Case cases[] = {
        {"CR LF", "[S]\r\nKey=1\r\n;Key=2\r\nOther = 2 \r\n[T]\r\nKey=3\r\n",
         "[S]\r\nKey=1\r\n;Key=2\r\nOther = 2 \r\nNew=4\r\n[T]\r\nKey=3\r\n"},
        {"LF", "[S]\nKey=1\n;Key=2\nOther = 2 \n[T]\nKey=3\n", "[S]\nKey=1\n;Key=2\nOther = 2 \nNew=4\r\n[T]\nKey=3\n"},
        {"CR", "[S]\rKey=1\r;Key=2\rOther = 2 \r[T]\rKey=3\r", "[S]\rKey=1\r;Key=2\rOther = 2 \rNew=4\r\n[T]\rKey=3\r"},
        {"mixed", "[S]\nKey=1\r\n;Key=2\rOther = 2 \n\r[T]\r\nKey=3", "[S]\nKey=1\r\n;Key=2\rOther = 2 \nNew=4\r\n\r[T]\r\nKey=3"},
        {"LF without a last one", "[S]\nKey=1\n;Key=2\nOther = 2 \n[T]\nKey=3",
         "[S]\nKey=1\n;Key=2\nOther = 2 \nNew=4\r\n[T]\nKey=3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        iniShutdown();
        profile(c.text);
        EXPECT_EQ(list(nullptr), std::string("S\0T\0\0", 5));
        EXPECT_EQ(list("S"), std::string("Key\0Other\0\0", 11));
        EXPECT_EQ(get("S", "Key"), "1");
        EXPECT_EQ(get("S", "Other"), "2");
        EXPECT_EQ(get("T", "Key"), "3");
        EXPECT_EQ(write("S", "New", "4"), kErrNone);
        EXPECT_EQ(onDisk(), c.afterWrite);
        EXPECT_EQ(write("S", "Other", "5"), kErrNone);
        EXPECT_EQ(write("T", "Key", nullptr), kErrNone);
        iniShutdown();
        EXPECT_EQ(get("S", "New"), "4");
        EXPECT_EQ(get("S", "Other"), "5");
        EXPECT_EQ(get("T", "Key", 128, kIniErrNotFound), "dflt");
        EXPECT_EQ(list(nullptr), std::string("S\0T\0\0", 5));
    }
}

// A key written after a last line ended by LF or CR alone starts a line of its own; a line end
// alone is an empty profile, whichever it is.
TEST_F(IniProfiles, NewKeyAfterAnyLastLineEndStartsItsOwnLine) {
    const std::pair<const char*, const char*> rows[] = {
        {"[S]\nA=1\n", "[S]\nA=1\nB=2\r\n"}, {"[S]\rA=1\r", "[S]\rA=1\rB=2\r\n"}, {"\r\n", "[S]\r\nB=2\r\n"},
        {"\n", "[S]\r\nB=2\r\n"},           {"\r", "[S]\r\nB=2\r\n"},
    };
    for (const auto& [text, written] : rows) {
        iniShutdown();
        profile(text);
        EXPECT_EQ(write("S", "B", "2"), kErrNone);
        EXPECT_EQ(onDisk(), written) << text;
    }
}

TEST_F(IniProfiles, FirstSectionAndFirstKeyWin) {
    profile("[S]\r\nKey=1\r\nkey=2\r\n[s]\r\nKey=3\r\n[Bad\r\nKey=4\r\n");
    EXPECT_EQ(get("S", "KEY"), "1");
    EXPECT_EQ(list(nullptr), std::string("S\0s\0\0", 5));
    EXPECT_EQ(list("S"), std::string("Key\0key\0\0", 9));
}

TEST_F(IniProfiles, ListingStopsWhenANameDoesNotFit) {
    profile("[First]\r\n[Second]\r\n");
    char buffer[16];
    EXPECT_EQ(iniGetString(&profile_, nullptr, nullptr, buffer, 10, ""), kIniErrTooLong);
    EXPECT_EQ(std::string(buffer, 7), std::string("First\0\0", 7));
    EXPECT_EQ(iniGetString(&profile_, nullptr, nullptr, buffer, 16, ""), kErrNone);
}

TEST_F(IniProfiles, LongValuesAreCut) {
    profile("[S]\r\nKey=abcdef\r\n");
    EXPECT_EQ(get("S", "Key", 4, kIniErrTooLong), "abc");
    EXPECT_EQ(get("S", "Key", 7), "abcdef");
}

TEST_F(IniProfiles, UnreadableFiles) {
    EXPECT_EQ(get("S", "Key", 128, kIniErrNoFile), "dflt");
    profile(std::string("[S]\r\nKey=a\0b\r\n", 14));
    EXPECT_EQ(get("S", "Key", 128, kIniErrNotText), "dflt");
    iniShutdown();
    profile("[S]\r\nKey=a\x1a\r\n");
    EXPECT_EQ(get("S", "Key", 128, kIniErrNotText), "dflt");
    iniShutdown();
    profile("[S]\r\nKey=a\x1a");
    EXPECT_EQ(get("S", "Key"), "a");
    iniShutdown();
    profile(std::string(65536, ' '));
    EXPECT_EQ(get("S", "Key", 128, kIniErrTooLong), "dflt");
}

// A file that is no profile is refused whole, read or written, and stays as it was on the disc.
TEST_F(IniProfiles, FilesThatAreNoProfileAreLeftAlone) {
    const std::string longLine = "[S]\nKey=" + std::string(100000, 'x') + "\nOther=1\n";
    const std::string nul = std::string("[S]\nKey=1\n\0Other=2\n", 20);
    const std::string atTheLimit = "[S]\nKey=" + std::string(kIniMaxFileSize - 9, 'x') + "\n";
    struct Case {
        const std::string* text;
        EngineErr expected;
    };
    for (const Case& c : {Case{&longLine, kIniErrTooLong}, Case{&nul, kIniErrNotText}, Case{&atTheLimit, kErrNone}}) {
        SCOPED_TRACE(c.text->size());
        iniShutdown();
        profile(*c.text);
        get("S", "Key", 128, c.expected == kErrNone ? kIniErrTooLong : c.expected);
        if (c.expected == kErrNone) continue;
        EXPECT_EQ(write("S", "Key", "2"), c.expected);
        EXPECT_EQ(onDisk(), *c.text);
    }
}

TEST_F(IniProfiles, NumbersFollowTheirPrefixes) {
    profile("[N]\r\nHex=0x10\r\nOct=010\r\nTail=12abc\r\nWord=abc\r\nNeg=-5\r\nBig=99999999999\r\nMinus=-1\r\n");
    i32 value = 77;
    EXPECT_EQ(iniGetLong(&profile_, "N", "Hex", &value, -100, 100), kErrNone);
    EXPECT_EQ(value, 16);
    EXPECT_EQ(iniGetLong(&profile_, "N", "Oct", &value, -100, 100), kErrNone);
    EXPECT_EQ(value, 8);
    EXPECT_EQ(iniGetLong(&profile_, "N", "Tail", &value, -100, 100), kErrNone);
    EXPECT_EQ(value, 12);
    value = 77;
    EXPECT_EQ(iniGetLong(&profile_, "N", "Word", &value, -100, 100), kIniErrBadValue);
    EXPECT_EQ(iniGetLong(&profile_, "N", "Neg", &value, 0, 100), kIniErrBadValue);
    EXPECT_EQ(iniGetLong(&profile_, "N", "Missing", &value, 0, 100), kIniErrNotFound);
    EXPECT_EQ(value, 77);
    EXPECT_EQ(iniGetLong(&profile_, "N", "Big", &value, INT32_MIN, INT32_MAX), kErrNone);
    EXPECT_EQ(value, INT32_MAX);
    u32 unsignedValue = 0;
    EXPECT_EQ(iniGetULong(&profile_, "N", "Minus", &unsignedValue, 0, UINT32_MAX), kErrNone);
    EXPECT_EQ(unsignedValue, UINT32_MAX);
    i16 shortValue = 0;
    EXPECT_EQ(iniGetShort(&profile_, "N", "Neg", &shortValue, -10, 10), kErrNone);
    EXPECT_EQ(shortValue, -5);
    u16 ushortValue = 0;
    EXPECT_EQ(iniGetUShort(&profile_, "N", "Hex", &ushortValue, 0, 15), kIniErrBadValue);
}

TEST_F(IniProfiles, BooleansCompareTheirBeginning) {
    profile("[B]\r\na=Yesterday\r\nb=office\r\nc=2\r\nd=onion\r\ne=FALSE\r\nf=1\r\n");
    u16 value = 9;
    EXPECT_EQ(iniGetBool(&profile_, "B", "a", &value), kErrNone);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(iniGetBool(&profile_, "B", "b", &value), kErrNone);
    EXPECT_EQ(value, 0);
    value = 9;
    EXPECT_EQ(iniGetBool(&profile_, "B", "c", &value), kIniErrBadValue);
    EXPECT_EQ(value, 9);
    EXPECT_EQ(iniGetBool(&profile_, "B", "d", &value), kErrNone);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(iniGetBool(&profile_, "B", "e", &value), kErrNone);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(iniGetBool(&profile_, "B", "missing", &value), kIniErrNotFound);
}

TEST_F(IniProfiles, ReplacingAValueKeepsTheRestOfTheLine) {
    profile("[S]\r\nKey = old  \r\nNext=1\r\n");
    EXPECT_EQ(write("S", "key", "new"), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nKey =new\r\nNext=1\r\n");
    EXPECT_EQ(get("S", "Key"), "new");
}

TEST_F(IniProfiles, NewKeyGoesAfterTheLastKeyLine) {
    profile("[S]\r\nA=1\r\n\r\n;note\r\n[T]\r\n");
    EXPECT_EQ(write("S", "B", "2"), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nA=1\r\nB=2\r\n\r\n;note\r\n[T]\r\n");
    EXPECT_EQ(write("T", "C", "3"), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nA=1\r\nB=2\r\n\r\n;note\r\n[T]\r\nC=3\r\n");
}

TEST_F(IniProfiles, NewKeyAfterAnUnendedLastLineGetsItsOwnLine) {
    profile("[S]\r\nA=1");
    EXPECT_EQ(write("S", "B", "2"), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nA=1\r\nB=2\r\n");
    profile("[T]");
    iniShutdown();
    EXPECT_EQ(write("T", "B", "2"), kErrNone);
    EXPECT_EQ(onDisk(), "[T]\r\nB=2\r\n");
}

TEST_F(IniProfiles, NewSectionIsAddedAtTheEnd) {
    profile("");
    EXPECT_EQ(write("S", "A", "1"), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nA=1\r\n");
    EXPECT_EQ(write("T", "B", "2"), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n");
}

TEST_F(IniProfiles, RemovingKeysSectionsAndEverything) {
    profile("[S]\r\nA=1\r\nB=2\r\n[T]\r\nC=3\r\n");
    EXPECT_EQ(write("S", "A", nullptr), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nB=2\r\n[T]\r\nC=3\r\n");
    EXPECT_EQ(write("S", "Z", nullptr), kIniErrNotFound);
    EXPECT_EQ(write("S", nullptr, nullptr), kErrNone);
    EXPECT_EQ(onDisk(), "[T]\r\nC=3\r\n");
    EXPECT_EQ(write("T", nullptr, nullptr), kErrNone);
    EXPECT_EQ(onDisk(), "");
    EXPECT_EQ(write("T", nullptr, nullptr), kIniErrNotFound);
    profile("[S]\r\nA=1\r\n");
    iniShutdown();
    EXPECT_EQ(write(nullptr, nullptr, nullptr), kErrNone);
    EXPECT_EQ(onDisk(), "");
}

// A line end or Ctrl-Z written into a line, or a key line that reads as a header, would change
// what the lines after it say or stop the whole profile from reading; a bracket further in is
// part of the line.
TEST_F(IniProfiles, WritesThatWouldNotStayOneLineAreRefused) {
    const std::string text = "[S]\r\nA=1\r\nB=2\r\n[T]\r\nC=3\r\n";
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        EngineErr expected;
    };
    const Case cases[] = {
        {"S", "A", "x\r[T]", kIniErrBadValue},
        {"S", "A", "x\x1A", kIniErrBadValue},
        {"S", "[T]", "1", kIniErrBadValue},
        {"S", " \t[T]", "1", kIniErrBadValue},
        {"S", "K\r[T]", "1", kIniErrBadValue},
        {"U\r", "K", "1", kIniErrBadValue},
        {"S\x1A", "A", nullptr, kIniErrBadValue},
        {"S", "A", "x\n[T]", kIniErrBadValue},
        {"S", "K\n", "1", kIniErrBadValue},
        {"U\n", "K", "1", kIniErrBadValue},
        {"S", "A", "[T]", kErrNone},
        {"S", "K[T]", "1", kErrNone},
        {"U[1", "K", "1", kErrNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.section) + "/" + c.key));
        profile(text);
        iniShutdown();
        EXPECT_EQ(write(c.section, c.key, c.value), c.expected);
        if (c.expected != kErrNone) {
            EXPECT_EQ(onDisk(), text);
        } else {
            EXPECT_EQ(get(c.section, c.key), c.value);
        }
        iniShutdown();
        EXPECT_EQ(get("S", "B"), "2");
        EXPECT_EQ(get("T", "C"), "3");
    }
}

TEST_F(IniProfiles, WritingToAMissingProfileFails) {
    EXPECT_EQ(write("S", "A", "1"), kIniErrNoFile);
}

TEST_F(IniProfiles, WithoutWriteThroughChangesWaitForTheFlush) {
    profile("[S]\r\nA=true\r\n");
    EXPECT_EQ(iniSetFlushMode(&profile_, 0), 1);
    EXPECT_EQ(write("S", "A", "TRUE"), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nA=true\r\n");
    // Only a letter case changed: nothing is dirty, so nothing is written.
    EXPECT_EQ(iniSetFlushMode(&profile_, 1), 0);
    EXPECT_EQ(onDisk(), "[S]\r\nA=true\r\n");
    iniSetFlushMode(&profile_, 0);
    EXPECT_EQ(write("S", "B", "2"), kErrNone);
    EXPECT_EQ(write("S", "C", "3"), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nA=true\r\n");
    EXPECT_EQ(iniSetFlushMode(&profile_, 1), 0);
    EXPECT_EQ(onDisk(), "[S]\r\nA=TRUE\r\nB=2\r\nC=3\r\n");
    TestPath missing("T:\\none.ini");
    EXPECT_EQ(iniSetFlushMode(missing.get(), 1), kIniFlushModeUnknown);
}

TEST_F(IniProfiles, PurgedTextIsReadAgainFromTheFile) {
    profile("[S]\r\nA=1\r\n");
    EXPECT_EQ(get("S", "A"), "1");
    profile("[S]\r\nA=2\r\n");
    EXPECT_EQ(get("S", "A"), "1");
    memPurgeSpace(0x7FFFFFFF, 0);
    EXPECT_EQ(get("S", "A"), "2");
}

TEST_F(IniProfiles, DirtyTextIsNeverPurged) {
    profile("[S]\r\nA=1\r\n");
    iniSetFlushMode(&profile_, 0);
    write("S", "A", "2");
    memPurgeSpace(0x7FFFFFFF, 0);
    EXPECT_EQ(get("S", "A"), "2");
    iniSetFlushMode(&profile_, 1);
    EXPECT_EQ(onDisk(), "[S]\r\nA=2\r\n");
}

TEST_F(IniProfiles, ProfileNeverGrowsTo64K) {
    profile("[S]\r\nA=1\r\n");
    // Ten bytes, one of them the value: a value of 65527 bytes would make 65536.
    const std::string big(65527, 'x');
    EXPECT_EQ(write("S", "A", big.c_str()), kIniErrTooLong);
    EXPECT_EQ(onDisk(), "[S]\r\nA=1\r\n");
    EXPECT_EQ(write("S", "A", big.substr(1).c_str()), kErrNone);
    EXPECT_EQ(onDisk().size(), 65535u);
}

TEST_F(IniProfiles, RewriteLeavesNoTemporaryFileAndKeepsOldBytesOnFailure) {
    profile("[S]\r\nA=1\r\n");
    EXPECT_EQ(write("S", "A", "2"), kErrNone);
    EXPECT_FALSE(std::filesystem::exists(plat::driveHostRoot('T') + "/test.ini.~tumblo.tmp"));
    drive_->setWriteProtected(true);
    EXPECT_EQ(write("S", "A", "3"), kOsErrWriteProtected);
    EXPECT_EQ(onDisk(), "[S]\r\nA=2\r\n");
}

TEST_F(IniProfiles, AStaleTemporaryFileIsRemovedWhenTheProfileIsFound) {
    struct Case {
        const char* what;
        bool writeProtected;
        bool remains;
    };
    const Case cases[] = {
        {"on a writable disc", false, false},
        {"on a write-protected disc, where nothing may change", true, true},
    };
    const std::string stale = plat::driveHostRoot('T') + "/test.ini.~tumblo.tmp";
    for (const Case& c : cases) {
        profile("[S]\r\nA=1\r\n");
        put("test.ini.~tumblo.tmp", "[S]\r\nA=half");
        drive_->setWriteProtected(c.writeProtected);
        EXPECT_EQ(get("S", "A"), "1") << c.what;
        EXPECT_EQ(std::filesystem::exists(stale), c.remains) << c.what;
        EXPECT_EQ(onDisk(), "[S]\r\nA=1\r\n") << c.what;
        drive_->setWriteProtected(false);
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
    }
}

TEST_F(IniProfiles, ProfileWithALongPathCanBeRewritten) {
    // The profile's text is 252 characters: a temporary name beside it would pass 255.
    const std::string folder(240, 'f');
    std::filesystem::create_directory(plat::driveHostRoot('T') + "/" + folder);
    put(folder + "/abcdef.ini", "[S]\r\nA=1\r\n");
    TestPath longProfile(("T:\\" + folder + "\\abcdef.ini").c_str());
    ASSERT_FALSE(longProfile.empty());
    EXPECT_EQ(iniWriteString(longProfile.get(), "S", "A", "2"), kErrNone);
    EXPECT_EQ(read(folder + "/abcdef.ini"), "[S]\r\nA=2\r\n");
}

TEST_F(IniProfiles, WritesWaitingForAnotherWriteFindTheirPlaceAfterIt) {
    profile("[S]\r\nA=1\r\n[T]\r\nB=2\r\n");
    EXPECT_EQ(get("S", "A"), "1");
    struct Change {
        const Path* profile;
        const char* section;
        const char* key;
        const char* value;
        EngineErr result;
    };
    Change removeS{&profile_, "S", nullptr, nullptr, 1};
    Change changeB{&profile_, "T", "B", "22", 1};
    auto run = [](void* argument) {
        auto* change = static_cast<Change*>(argument);
        change->result = iniWriteString(change->profile, change->section, change->key, change->value);
    };
    osmThread* first = osmCreateThread(run, &removeS, 0, kOsmDefaultPriority);
    osmThread* second = osmCreateThread(run, &changeB, 0, kOsmDefaultPriority);
    osmResumeThread(first);
    osmResumeThread(second);
    // While this write waits for the file, both threads find their places and wait their turn.
    EXPECT_EQ(write("S", "X", "1"), kErrNone);
    osmWaitForObject(first, kOsmNoTimeout);
    osmWaitForObject(second, kOsmNoTimeout);
    EXPECT_EQ(removeS.result, kErrNone);
    EXPECT_EQ(changeB.result, kErrNone);
    EXPECT_EQ(onDisk(), "[T]\r\nB=22\r\n");
}

TEST_F(IniProfiles, FailedWriteLeavesTheProfileAsItWas) {
    profile("[S]\r\nA=1\r\n");
    drive_->setWriteProtected(true);
    EXPECT_EQ(write("S", "A", "3"), kOsErrWriteProtected);
    EXPECT_EQ(get("S", "A"), "1");
    drive_->setWriteProtected(false);
    EXPECT_EQ(write("S", "B", "2"), kErrNone);
    EXPECT_EQ(onDisk(), "[S]\r\nA=1\r\nB=2\r\n");
}

TEST_F(IniProfiles, ProfileLoadedByTwoThreadsAtOnceIsLoadedOnce) {
    profile("[S]\r\nA=1\r\n");
    struct Change {
        const Path* profile;
        EngineErr result;
    } change{&profile_, 1};
    osmThread* other = osmCreateThread(
        [](void* argument) {
            auto* change = static_cast<Change*>(argument);
            change->result = iniWriteString(change->profile, "S", "A", "2");
        },
        &change, 0, kOsmDefaultPriority);
    osmResumeThread(other);
    // The other thread starts loading while this one waits for the file. A rewrite that
    // meets the other thread's read of the file fails as in use; one that succeeded is kept.
    const EngineErr result = write("S", "B", "3");
    osmWaitForObject(other, kOsmNoTimeout);
    EXPECT_TRUE(result == kErrNone || result == kOsErrInUse) << result;
    EXPECT_TRUE(change.result == kErrNone || change.result == kOsErrInUse) << change.result;
    const std::string disk = onDisk();
    EXPECT_EQ(disk.find("A=2") != std::string::npos, change.result == kErrNone) << disk;
    EXPECT_EQ(disk.find("B=3") != std::string::npos, result == kErrNone) << disk;
}

TEST_F(IniProfiles, TextBeingWrittenIsNotPurged) {
    profile("[S]\r\nA=1\r\n");
    EXPECT_EQ(get("S", "A"), "1");
    struct Reader {
        const Path* profile;
        char value[8];
    } reader{&profile_, {}};
    osmThread* other = osmCreateThread(
        [](void* argument) {
            auto* reader = static_cast<Reader*>(argument);
            memPurgeSpace(0x7FFFFFFF, 0);
            iniGetString(reader->profile, "S", "A", reader->value, sizeof reader->value, "");
        },
        &reader, 0, kOsmDefaultPriority);
    osmResumeThread(other);
    // The other thread purges memory and reads while this write waits for the file.
    EXPECT_EQ(write("S", "A", "2"), kErrNone);
    osmWaitForObject(other, kOsmNoTimeout);
    EXPECT_STREQ(reader.value, "2");
    EXPECT_EQ(onDisk(), "[S]\r\nA=2\r\n");
}

TEST_F(IniProfiles, ReadOnlyProfileIsNotRewritten) {
    profile("[S]\r\nA=1\r\n");
    ASSERT_EQ(osSetAttributes("T:\\test.ini", plat::kFileAttrReadOnly), kErrNone);
    EXPECT_EQ(write("S", "A", "2"), kOsErrAccessDenied);
    EXPECT_EQ(onDisk(), "[S]\r\nA=1\r\n");
    osSetAttributes("T:\\test.ini", plat::kFileAttrNormal);
}

TEST_F(IniProfiles, EngineProfileLivesInTheProgramFolder) {
    char buffer[8];
    EXPECT_EQ(iniGetString(nullptr, "Audio", "x", buffer, sizeof buffer, "d"), kIniErrNoFile);
    EXPECT_STREQ(buffer, "d");
}

// A volume of 8.3 names, where "TEST.INI" has no valid name with a suffix added.
class IniProfilesOnShortNames : public IniFixture {
protected:
    IniProfilesOnShortNames() : IniFixture("FAT", 12) {}
};

TEST_F(IniProfilesOnShortNames, ProfileIsRewritten) {
    put("TEST.INI", "[S]\r\nA=1\r\n");
    TestPath profile("T:\\TEST.INI");
    ASSERT_FALSE(profile.empty());
    EXPECT_EQ(iniWriteString(profile.get(), "S", "A", "2"), kErrNone);
    EXPECT_EQ(read("TEST.INI"), "[S]\r\nA=2\r\n");
}

}  // namespace
