// The application's prompt for a volume that is not there, as the file layer reaches it.
#include <cstring>

#include "app/application/RApplication.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"
#include "framework/dialogs/mfxAlert.h"
#include "tests/app/application/ShellTestFixture.h"

namespace {

using namespace Ostrel;
using Log = std::vector<std::string>;

class MissingVolumePrompt : public testapp::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        mfxScriptAlertAnswers({});
        mfxTakeAlertRecords();
    }
    void TearDown() override {
        mfxScriptAlertAnswers({});
        ShellTest::TearDown();
    }
    void start(RApplication* application) {
        application->SetShellParts(parts(&log_));
        ASSERT_EQ(application->Startup(0, {}), 0);
    }
    static VolumeRecord volumeNamed(const char* name) {
        VolumeRecord volume{};
        std::strncpy(volume.info.name, name, sizeof volume.info.name - 1);
        return volume;
    }
    // The first drive the file layer knows, with its text ("C:").
    static u32 someDrive(std::string* text) {
        for (u32 drive = 1; drive <= 26; ++drive) {
            OsDriveInfo info{};
            if (osGetDriveInfo(drive, &info) == kErrNone && info.letter) {
                *text = std::string(1, char(info.letter)) + ":";
                return drive;
            }
        }
        return 0;
    }

    Log log_;
};

TEST_F(MissingVolumePrompt, AMissingVolumeIsAskedForByNameAndRetryTriesAgain) {
    RApplication application;
    ASSERT_NO_FATAL_FAILURE(start(&application));
    std::string drive;
    const u32 driveNumber = someDrive(&drive);
    ASSERT_NE(driveNumber, 0u);
    VolumeRecord holiday = volumeNamed("Holiday");
    VolumeRecord unnamed = volumeNamed("");
    VolumeRecord percent = volumeNamed("%s%n");
    struct Case {
        const char* label;
        VolumeRecord* volume;
        u32 drive;
        u16 mayCancel;
        u32 answer;
        u32 style;
        std::string text;
        u16 result;
    };
    const u32 retryCancel = kAlertRetryCancel | kAlertIconStop;
    const Case cases[] = {
        {"retry", &holiday, driveNumber, 1, kAlertAnswerRetry, retryCancel, "Please insert volume \"Holiday\" in drive " + drive, 1},
        {"cancel", &holiday, driveNumber, 1, kAlertAnswerCancel, retryCancel, "Please insert volume \"Holiday\" in drive " + drive, 0},
        {"no drive", &holiday, 0, 1, kAlertAnswerRetry, retryCancel, "Please insert volume \"Holiday\" in drive ", 1},
        {"no name", &unnamed, driveNumber, 1, kAlertAnswerRetry, retryCancel, "Please insert the disk in drive " + drive, 1},
        {"no volume", nullptr, driveNumber, 1, kAlertAnswerRetry, retryCancel, "Please insert volume \"unknown\" in drive " + drive, 1},
        {"a name is no format", &percent, 0, 1, kAlertAnswerCancel, retryCancel, "Please insert volume \"%s%n\" in drive ", 0},
        {"no cancel: one button", &holiday, 0, 0, kAlertAnswerOk, kAlertOk | kAlertIconStop, "Please insert volume \"Holiday\" in drive ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        mfxScriptAlertAnswers({c.answer});
        const OsErrorRecord request{kOsErrorKindInsertVolume, c.mayCancel, c.drive, c.volume, nullptr};
        EXPECT_EQ(RApplication::PromptForMissingVolume(&request), c.result);
        const std::vector<mfxAlertRecord> alerts = mfxTakeAlertRecords();
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0].style, c.style);
        EXPECT_EQ(alerts[0].text, c.text);
    }
    application.ExitInstance();
}

TEST_F(MissingVolumePrompt, TheFileLayersCallbackHandsAVolumeThatIsNoContentDiscToThePrompt) {
    RApplication application;
    ASSERT_NO_FATAL_FAILURE(start(&application));
    // The content locator's callback is the file layer's; the prompt lies beneath it.
    const OsErrorCallback installed = osSetErrorCallback(nullptr);
    osSetErrorCallback(installed);
    ASSERT_NE(installed, nullptr);
    ASSERT_NE(installed, &RApplication::PromptForMissingVolume);
    VolumeRecord stick = volumeNamed("STICK");
    const OsErrorRecord request{kOsErrorKindInsertVolume, 1, 0, &stick, nullptr};
    mfxScriptAlertAnswers({kAlertAnswerRetry});
    EXPECT_EQ(installed(&request), 1);
    const std::vector<mfxAlertRecord> alerts = mfxTakeAlertRecords();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].text, "Please insert volume \"STICK\" in drive ");
    application.ExitInstance();
}

TEST_F(MissingVolumePrompt, SwitchedOffItGivesUpWithoutAskingAndTheSwitchAnswersItsPreviousValue) {
    RApplication application;
    ASSERT_NO_FATAL_FAILURE(start(&application));
    VolumeRecord holiday = volumeNamed("Holiday");
    const OsErrorRecord request{kOsErrorKindInsertVolume, 1, 0, &holiday, nullptr};
    EXPECT_EQ(RApplication::SetMissingVolumePrompt(0), 1);
    mfxScriptAlertAnswers({kAlertAnswerRetry});
    EXPECT_EQ(RApplication::PromptForMissingVolume(&request), 0);
    EXPECT_TRUE(mfxTakeAlertRecords().empty());
    EXPECT_EQ(RApplication::SetMissingVolumePrompt(1), 0);
    EXPECT_EQ(RApplication::PromptForMissingVolume(&request), 1);
    EXPECT_EQ(mfxTakeAlertRecords().size(), 1u);
    application.ExitInstance();
}

TEST_F(MissingVolumePrompt, ASystemErrorIsTriedAgainAtOnceButNotForEver) {
    RApplication application;
    ASSERT_NO_FATAL_FAILURE(start(&application));
    const OsErrorRecord system{kOsErrorKindSystem, 1, 0, nullptr, "General system error #5."};
    // Three tries again in a row, the fourth gives up; the next failure starts afresh.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(RApplication::PromptForMissingVolume(&system), 1) << i;
        EXPECT_EQ(RApplication::PromptForMissingVolume(&system), 0);
    }
    EXPECT_TRUE(mfxTakeAlertRecords().empty());
    // Another kind in between starts the count again.
    VolumeRecord holiday = volumeNamed("Holiday");
    const OsErrorRecord insert{kOsErrorKindInsertVolume, 1, 0, &holiday, nullptr};
    EXPECT_EQ(RApplication::PromptForMissingVolume(&system), 1);
    EXPECT_EQ(RApplication::PromptForMissingVolume(&system), 1);
    mfxScriptAlertAnswers({kAlertAnswerCancel});
    EXPECT_EQ(RApplication::PromptForMissingVolume(&insert), 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(RApplication::PromptForMissingVolume(&system), 1) << i;
    application.ExitInstance();
}

TEST_F(MissingVolumePrompt, AnyOtherKindGivesUpForGoodAndWhileShuttingDownEndsNothing) {
    VolumeRecord holiday = volumeNamed("Holiday");
    for (u32 kind : {0u, u32(kOsErrorKindDriveLocked), u32(kOsErrorKindWriteProtected), 7u}) {
        SCOPED_TRACE(kind);
        RApplication application;
        ASSERT_NO_FATAL_FAILURE(start(&application));
        application.ExitInstance();
        ASSERT_TRUE(application.IsShuttingDown());
        const OsErrorRecord failure{kind, 1, 0, &holiday, nullptr};
        EXPECT_EQ(RApplication::PromptForMissingVolume(&failure), 0);
        // Given up: a volume is no longer asked for, a system error no longer tried again.
        const OsErrorRecord insert{kOsErrorKindInsertVolume, 1, 0, &holiday, nullptr};
        const OsErrorRecord system{kOsErrorKindSystem, 1, 0, nullptr, "General system error #5."};
        mfxScriptAlertAnswers({kAlertAnswerRetry});
        EXPECT_EQ(RApplication::PromptForMissingVolume(&insert), 0);
        EXPECT_EQ(RApplication::PromptForMissingVolume(&system), 0);
        EXPECT_TRUE(mfxTakeAlertRecords().empty());
        mfxScriptAlertAnswers({});
    }
    // A new application asks again.
    RApplication application;
    ASSERT_NO_FATAL_FAILURE(start(&application));
    const OsErrorRecord system{kOsErrorKindSystem, 1, 0, nullptr, "General system error #5."};
    EXPECT_EQ(RApplication::PromptForMissingVolume(&system), 1);
    application.ExitInstance();
}

TEST_F(MissingVolumePrompt, AnyOtherKindWhileRunningEndsTheProgramWithCodeOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    VolumeRecord holiday = volumeNamed("Holiday");
    const OsErrorRecord locked{kOsErrorKindDriveLocked, 1, 0, &holiday, nullptr};
    EXPECT_EXIT(
        {
            RApplication application;
            RApplication::PromptForMissingVolume(&locked);
        },
        ::testing::ExitedWithCode(1), "");
}

TEST_F(MissingVolumePrompt, WithoutAnApplicationNothingIsAskedOrTriedAgain) {
    VolumeRecord holiday = volumeNamed("Holiday");
    const OsErrorRecord insert{kOsErrorKindInsertVolume, 1, 0, &holiday, nullptr};
    const OsErrorRecord system{kOsErrorKindSystem, 1, 0, nullptr, "General system error #5."};
    EXPECT_EQ(RApplication::PromptForMissingVolume(&insert), 0);
    EXPECT_EQ(RApplication::PromptForMissingVolume(&system), 0);
    EXPECT_EQ(RApplication::SetMissingVolumePrompt(0), 0);
    EXPECT_TRUE(mfxTakeAlertRecords().empty());
}

}  // namespace
