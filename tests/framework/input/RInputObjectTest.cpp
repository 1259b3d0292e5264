#include "framework/input/RInputObject.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/input/RInputRegistry.h"
#include "tests/framework/input/InputFixtures.h"

using fwtest::Log;
using fwtest::Probe;
using namespace Ostrel;

TEST(RInputObject, NewObjectsGoInFrontAndReRegisteringKeepsThePlace) {
    Log log;
    Probe a(log, "a"), b(log, "b"), c(log, "c");
    a.Register(kInputKeys);
    b.Register(kInputKeys);
    c.Register(kInputKeys);
    ASSERT_EQ(inputObjectCount(), 3);
    EXPECT_EQ(inputObjectAt(0), &c);
    EXPECT_EQ(inputObjectAt(1), &b);
    EXPECT_EQ(inputObjectAt(2), &a);
    EXPECT_EQ(inputObjectAt(3), nullptr);
    EXPECT_EQ(inputObjectAt(-1), nullptr);

    a.Register(kInputTick | kInputActivation);
    EXPECT_EQ(inputObjectCount(), 3);
    EXPECT_EQ(inputObjectAt(2), &a);
    EXPECT_EQ(a.GetInputMask(), 24u);

    b.Unregister();
    EXPECT_FALSE(b.IsRegistered());
    EXPECT_EQ(inputObjectAt(1), &a);
    b.Unregister();
    EXPECT_EQ(inputObjectCount(), 2);
}

TEST(RInputObject, DestroyedObjectLeavesTheRegistry) {
    Log log;
    Probe keep(log, "keep");
    keep.Register(kInputKeys);
    {
        Probe gone(log, "gone");
        gone.Register(kInputKeys);
        EXPECT_EQ(inputObjectCount(), 2);
    }
    EXPECT_EQ(inputObjectCount(), 1);
    EXPECT_EQ(inputObjectAt(0), &keep);
}
