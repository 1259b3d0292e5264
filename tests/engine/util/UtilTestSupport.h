#pragma once
// Engine memory started for one test, and a look at whether an engine block is still alive.
#include <gtest/gtest.h>

#include "engine/base/MemoryHandles.h"

class EngineMemoryFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(memInit(0, 512), kErrNone); }
    void TearDown() override { memShutdown(); }

    static bool handleAlive(memHandle handle) { return handle && memIsHandleValid(handle); }
};
