// The journeys' own means, checked apart from the program: the keyboard types what a person at
// that keyboard types, and the watchdog ends a journey that overruns its time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/journeys/Journey.h"
#include "tests/xserver/XSession.h"
#include "tests/xserver/XTextWindow.h"
#include "tests/xserver/XvfbServer.h"

namespace {

struct Typing {
    const char* layout;
    const char* text;
    bool typeable;
};

// Spanish: ñ and ¿ on keys of their own, accents through the dead key, Shift and AltGr levels.
constexpr Typing kTypings[] = {
    {"us", "Maya, 42!", true},
    {"es", "Begoña ¿qué? ¡Ánimo, pingüino! @", true},
    {"us", "ñ", false},
    {"es", "日", false},
};

TEST(JourneyHarness, TextIsTypedKeyByKeyAsOnTheLayoutsKeyboard) {
    XvfbServer server;
    ASSERT_TRUE(server.running()) << server.failure();
    XSession session(server.display());
    ASSERT_TRUE(session.connected());
    for (const Typing& typing : kTypings) {
        SCOPED_TRACE(std::string(typing.layout) + ": " + typing.text);
        ASSERT_TRUE(session.useLayout(typing.layout));
        XTextWindow field(server.display());
        ASSERT_TRUE(field.shown());
        session.focus(field.window());
        EXPECT_EQ(session.typeText(typing.text), typing.typeable);
        EXPECT_EQ(field.typed(), typing.typeable ? typing.text : "") << "all or nothing is typed";
    }
}

TEST(JourneyHarness, TheWatchdogEndsTheProgramOfAJourneyThatOverrunsItsTime) {
    Journey j(std::chrono::seconds(3));
    // On a busy machine the watchdog may end the program before its window shows.
    testing::AssertionResult outcome = j.start();
    if (outcome) outcome = j.waitFor([] { return false; }, "what never comes", std::chrono::seconds(60));
    EXPECT_FALSE(outcome);
    EXPECT_THAT(outcome.message(), testing::HasSubstr("the watchdog ended it"));
}

}  // namespace
