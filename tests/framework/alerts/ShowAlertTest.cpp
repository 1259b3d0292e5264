#include "framework/alerts/ShowAlert.h"

#include "framework/dialogs/mfxAlert.h"
#include "tests/framework/WindowFixture.h"

namespace {

class ShowAlerts : public testfw::WindowTest {
protected:
    void SetUp() override {
        testfw::WindowTest::SetUp();
        mfxTakeAlertRecords();
    }
};

TEST_F(ShowAlerts, HelpersChooseButtonsAndReturnTheAnswer) {
    struct Case {
        u32 (*show)(const char*);
        u32 answer;
        u32 style;
    };
    const Case cases[] = {
        {&ShowYesNoAlert, kAlertAnswerYes, kAlertYesNo},
        {&ShowYesNoAlert, kAlertAnswerNo, kAlertYesNo},
        {&ShowRetryCancelAlert, kAlertAnswerRetry, kAlertRetryCancel},
        {&ShowRetryCancelAlert, kAlertAnswerCancel, kAlertRetryCancel},
    };
    for (const Case& c : cases) {
        mfxScriptAlertAnswers({c.answer});
        EXPECT_EQ(c.show("Save?"), c.answer);
        const auto shown = mfxTakeAlertRecords();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].style, c.style);
    }
}

TEST_F(ShowAlerts, TextIsShownAsItStands) {
    mfxScriptAlertAnswers({kAlertAnswerOk});
    EXPECT_EQ(ShowAlert("100% of %s%n done", "ignored caption", kAlertOk | kAlertIconStop), kAlertAnswerOk);
    mfxScriptAlertAnswers({kAlertAnswerOk});
    EXPECT_EQ(ShowAlert(nullptr, nullptr, kAlertOk), kAlertAnswerOk);
    const auto shown = mfxTakeAlertRecords();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "100% of %s%n done");
    EXPECT_EQ(shown[0].style, kAlertOk | kAlertIconStop);
    EXPECT_EQ(shown[1].text, "");
}

}  // namespace
