#include "platform/system/BackendChoice.h"

#include <gtest/gtest.h>

#include "tests/platform/system/ScopedEnv.h"

namespace plat {
namespace {

struct Service {
    explicit Service(bool real) : real(real) {}
    virtual ~Service() = default;
    bool real;
};

// Counts how often each backend is made; the real one can be told to fail to start.
struct Makers {
    int realMade = 0;
    int headlessMade = 0;
    bool realStarts = true;

    BackendChoice<Service> choice() {
        return BackendChoice<Service>(
            [this]() -> std::unique_ptr<Service> {
                ++realMade;
                return realStarts ? std::make_unique<Service>(true) : nullptr;
            },
            [this] {
                ++headlessMade;
                return std::make_unique<Service>(false);
            });
    }
};

TEST(BackendChoice, FirstUseChoosesOnceByTheHeadlessDecision) {
    struct Case {
        const char* headless;
        bool realStarts;
        bool expectReal;
        int realMade;
        int headlessMade;
    } cases[] = {
        {"1", true, false, 0, 1},   // headless asked for: the real backend is never tried
        {"0", true, true, 1, 0},    // a display is there
        {"0", false, false, 1, 1},  // the real backend cannot start
    };
    for (const Case& c : cases) {
        ScopedEnv headless("TUMBLO_HEADLESS", c.headless);
        ScopedEnv display("DISPLAY", ":0");
        Makers makers;
        makers.realStarts = c.realStarts;
        BackendChoice<Service> choice = makers.choice();
        Service& first = choice.current();
        EXPECT_EQ(&choice.current(), &first) << c.headless;
        EXPECT_EQ(first.real, c.expectReal) << c.headless << " starts " << c.realStarts;
        EXPECT_EQ(makers.realMade, c.realMade) << c.headless << " starts " << c.realStarts;
        EXPECT_EQ(makers.headlessMade, c.headlessMade) << c.headless << " starts " << c.realStarts;
    }
}

TEST(BackendChoice, AnInstalledBackendStandsInUntilRemoved) {
    Makers makers;
    BackendChoice<Service> choice = makers.choice();
    Service fake(true);
    choice.install(&fake);
    EXPECT_EQ(&choice.current(), &fake);
    EXPECT_EQ(makers.realMade + makers.headlessMade, 0);
    choice.install(nullptr);
    EXPECT_NE(&choice.current(), &fake);
}

}  // namespace
}  // namespace plat
