#include "platform/fiber/Fiber.h"

#include <gtest/gtest.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Two fibers taking turns: the test's own stack and one created fiber.
struct PingPong {
    std::unique_ptr<plat::Fiber> home = plat::Fiber::forCurrentThread();
    std::unique_ptr<plat::Fiber> worker;
    std::vector<std::string> log;
    bool finished = false;
};

void recurse(int depth, std::vector<int>& seen) {
    volatile char frame[1024];
    frame[0] = char(depth);
    seen.push_back(frame[0]);
    if (depth > 0) recurse(depth - 1, seen);
}

TEST(Fiber, TakesTurnsAndKeepsItsOwnStack) {
    PingPong p;
    p.worker = plat::Fiber::create(0, [](void* argument) {
        auto& p = *static_cast<PingPong*>(argument);
        int local = 7;
        p.log.push_back("worker 1");
        plat::fiberSwitch(*p.worker, *p.home);
        p.log.push_back("worker 2 local " + std::to_string(local));
        {
            std::vector<int> seen;
            recurse(100, seen);  // about 100 KB of frames: the stack holds far more than 64 KB
            p.log.push_back("recursed " + std::to_string(seen.size()));
        }  // fiberExit unwinds nothing
        p.finished = true;
        plat::fiberExit(*p.home);
    }, &p);
    ASSERT_NE(p.worker, nullptr);
    EXPECT_GE(p.worker->stackSize(), plat::kFiberMinStackSize);

    plat::fiberSwitch(*p.home, *p.worker);
    p.log.push_back("home");
    plat::fiberSwitch(*p.home, *p.worker);
    EXPECT_TRUE(p.finished);
    EXPECT_EQ(p.log, (std::vector<std::string>{"worker 1", "home", "worker 2 local 7", "recursed 101"}));
}

TEST(Fiber, StackSizeIsRoundedToWholePages) {
    auto fiber = plat::Fiber::create(plat::kFiberMinStackSize + 1, [](void*) {}, nullptr);
    ASSERT_NE(fiber, nullptr);
    EXPECT_GT(fiber->stackSize(), plat::kFiberMinStackSize);
    EXPECT_EQ(fiber->stackSize() % 4096, 0u);
}

struct ExceptionTurns {
    std::unique_ptr<plat::Fiber> home = plat::Fiber::forCurrentThread();
    std::unique_ptr<plat::Fiber> worker;
    std::string workerSaw;
};

// A fiber that switches away from inside a catch block finds its exception again when it
// comes back, and the other fiber meanwhile sees no exception of its own.
TEST(Fiber, EachFiberKeepsItsOwnExceptionState) {
    ExceptionTurns t;
    t.worker = plat::Fiber::create(0, [](void* argument) {
        auto& t = *static_cast<ExceptionTurns*>(argument);
        try {
            throw std::runtime_error("worker's");
        } catch (const std::exception&) {
            plat::fiberSwitch(*t.worker, *t.home);
            try {
                throw;  // rethrows the exception being handled on this fiber
            } catch (const std::runtime_error& again) {
                t.workerSaw = again.what();
            }
        }
        plat::fiberExit(*t.home);
    }, &t);
    ASSERT_NE(t.worker, nullptr);

    plat::fiberSwitch(*t.home, *t.worker);
    EXPECT_EQ(std::current_exception(), nullptr);
    try {
        throw std::logic_error("home's");
    } catch (const std::logic_error&) {
        plat::fiberSwitch(*t.home, *t.worker);
        EXPECT_NE(std::current_exception(), nullptr);
    }
    EXPECT_EQ(t.workerSaw, "worker's");
    EXPECT_EQ(std::current_exception(), nullptr);
}

TEST(Fiber, ManyFibersCanBeCreatedAndReleased) {
    std::vector<std::unique_ptr<plat::Fiber>> fibers;
    for (int i = 0; i < 64; i++) fibers.push_back(plat::Fiber::create(0, [](void*) {}, nullptr));
    for (auto& f : fibers) EXPECT_NE(f, nullptr);
}

}  // namespace

namespace {

void overflow(int depth) {
    volatile char frame[1024];
    frame[0] = char(depth);
    if (depth > 0) overflow(depth - 1);
    frame[1] = frame[0];
}

TEST(FiberDeathTest, OverflowFaultsOnTheGuardPage) {
    EXPECT_DEATH(
        {
            auto home = plat::Fiber::forCurrentThread();
            auto fiber = plat::Fiber::create(0, [](void*) { overflow(10000); }, nullptr);
            plat::fiberSwitch(*home, *fiber);
        },
        "");
}

}  // namespace
